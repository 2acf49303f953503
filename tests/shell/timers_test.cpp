#include "shell_fixture.h"

namespace varlo {

namespace {
std::string AnimatedSkin() {
  return "Varlo Skin/Player, Timers\n200,100,200,150,100,50\nmain.bmp,res.bmp\n0,2,0,0,0,0,0,0\n"
         "B27,10,10,20,10,100,0,R,repeat\nB25,40,10,20,10,100,10,I,intro\n"
         "D11,0,0,0,40,5,8,2,0,0,-2,seconds\nA2,60,60,0,20,10,10,1,2,1,anim\n"
         "L1,0,90,50,10,0,0,0,8,Sans,pos\nE\n";
}
}  // namespace

TEST_F(ShellTest, TimerTwoShowsSecondsStepsAnimationsAndEndsThePressedImage) {
  prog.Write("default.skin", AnimatedSkin());
  clock.now.second = 7;
  Start();
  auto& f = form->Form();
  // The first tick of a new second draws the seconds: "07" from cells 0 and 7.
  form->Timer2_Timer();
  ASSERT_EQ(f.digitCells[11].count, 2u);
  EXPECT_EQ(f.digitCells[11].cells[1].sx, 7 * 5);

  // Animation 2 rests until it runs, then cycles its frames.
  EXPECT_EQ(f.animFrames[2].sx, 0);
  f.tables.anims[2].running = true;
  form->Timer2_Timer();
  EXPECT_EQ(f.animFrames[2].sx, 10);

  // The pointer goes onto a button with the right button held: the pressed image shows,
  // and three seconds later it is hidden.
  form->Btn_MouseMove(1, HeldButton::Right);
  EXPECT_TRUE(f.tmpBtn.visible);
  for (int s = 8; s <= 9; ++s) {
    clock.now.second = s;
    form->Timer2_Timer();
    form->Timer2_Timer();  // a second tick in the same second changes nothing
    EXPECT_TRUE(f.tmpBtn.visible) << s;
  }
  clock.now.second = 10;
  form->Timer2_Timer();
  EXPECT_FALSE(f.tmpBtn.visible);
}

TEST_F(ShellTest, PressingAndReleasingAButtonRunsItsCommand) {
  prog.Write("default.skin", AnimatedSkin());
  Start();
  auto& f = form->Form();
  form->Btn_MouseDown(1);
  EXPECT_TRUE(f.tmpBtn.visible);
  EXPECT_EQ(f.tmpBtn.sourceX, 100);
  EXPECT_EQ(f.tmpBtn.left, 10);
  EXPECT_EQ(f.tmpBtn.tooltip, "repeat");
  form->Btn_MouseUp(1);
  EXPECT_FALSE(f.tmpBtn.visible);
  EXPECT_TRUE(form->Player().State().repeat);

  // Hover style 2 shows the pressed image; releasing over it runs that button.
  form->Btn_MouseMove(2, HeldButton::None);
  EXPECT_TRUE(f.tmpBtn.visible);
  EXPECT_EQ(f.tmpBtn.left, 40);
  form->TmpBtn_MouseUp();
  EXPECT_TRUE(form->Player().State().intro);
  form->Form_MouseMove(0, 150, 80);  // leaving the buttons clears the hover
  EXPECT_FALSE(f.tmpBtn.visible);
}

TEST_F(ShellTest, LabelOneTogglesElapsedAndRemainingTime) {
  prog.Write("default.skin", AnimatedSkin());
  Start();
  form->Lbl_Click(1);
  EXPECT_TRUE(form->Player().State().timeRemaining);
  form->Lbl_Click(1);
  EXPECT_FALSE(form->Player().State().timeRemaining);
}

TEST_F(ShellTest, TimerOneSkipsPlaybackRulesWhileNothingPlays) {
  Start();
  const int before = events.calls;
  form->Timer1_Timer();
  EXPECT_EQ(events.calls, before + 1);  // pending window events run on every tick
  form->Player().State().rptB = 100;
  form->Player().State().elapsedMs = 200;
  form->Timer1_Timer();  // not playing: nothing seeks
  EXPECT_EQ(form->Player().State().elapsedMs, 200);
}

}  // namespace varlo
