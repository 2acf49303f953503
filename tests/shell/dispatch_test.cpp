#include "shell/window_snap.h"
#include "shell_fixture.h"

namespace varlo {

namespace {
// Adds skin buttons with their codes and hot keys to the default test skin.
std::string Buttons() {
  return "Varlo Skin/Player, Keys\n200,100,200,150,100,50\nmain.bmp,res.bmp\n0,1,0,0,0,0,0,0\n"
         "B27,0,0,5,5,0,0,A,repeat\nB25,10,0,5,5,0,0,\\049,intro\nB28,20,0,5,5,0,0,a,shuffle\n"
         "I7,1,1,4,4,0,255,0,3,t\nE\n";
}
}  // namespace

TEST_F(ShellTest, HotKeysFireTheirButtonsUnlessAnEntryHasFocus) {
  prog.Write("default.skin", Buttons());
  Start();
  EXPECT_TRUE(form->Form_KeyPress('a'));  // upper-cased: the "A" button, not the "a" one
  EXPECT_TRUE(form->Player().State().repeat);
  EXPECT_FALSE(form->Player().State().shuffle);
  EXPECT_TRUE(form->Form().ind[7].visible);
  EXPECT_TRUE(form->Form_KeyPress('1'));
  EXPECT_TRUE(form->Player().State().intro);
  EXPECT_TRUE(form->Form_KeyPress('z'));  // bound to nothing, consumed all the same

  form->SetInFlag(true);
  EXPECT_FALSE(form->Form_KeyPress('a'));
  EXPECT_TRUE(form->Player().State().repeat);
  form->Form_MouseDown(1, 50, 50);  // a click on the background ends the entry's focus
  EXPECT_FALSE(form->InFlag());
}

TEST_F(ShellTest, AppearanceKeysShowTheHotAreas) {
  prog.Write("default.skin", Buttons());
  Start();
  form->SetInFlag(true);  // these keys work even while typing
  EXPECT_TRUE(form->Form_KeyPress('`'));
  EXPECT_TRUE(form->Form().btn[1].opaque);
  EXPECT_TRUE(form->Form().lbl[40].opaque);
  EXPECT_FALSE(form->Form().lbl[41].opaque);
  EXPECT_TRUE(form->Form_KeyPress('~'));
  EXPECT_TRUE(form->Form().btn[120].border);
  EXPECT_TRUE(form->Form_KeyPress(27));
  EXPECT_FALSE(form->Form().btn[1].opaque || form->Form().btn[1].border);
  EXPECT_FALSE(form->Form().lbl[1].opaque);
}

TEST_F(ShellTest, WindowSizesToggle) {
  Start();
  const auto& w = form->Form().window;
  EXPECT_EQ(w.width, 3000);
  form->DoIt(3);
  EXPECT_EQ(w.height, 2250);  // size 1
  form->DoIt(4);
  EXPECT_EQ(w.width, 1500);  // size 2
  form->DoIt(3);             // the small size stays while it is chosen
  EXPECT_EQ(w.width, 1500);
  form->DoIt(4);
  EXPECT_EQ(w.width, 3000);  // back to the size chosen by HFlag (0 again)
  form->DoIt(4);
  form->DoIt(4);
  EXPECT_EQ(w.width, 3000);
}

TEST_F(ShellTest, ABRepeatWithoutABButtonCyclesASetBAndClear) {
  Start();
  auto& p = form->Player().State();
  p.elapsedMs = 1000;
  form->DoIt(30);
  EXPECT_EQ(p.rptA, 1000);
  EXPECT_EQ(p.rptB, 0);
  p.elapsedMs = 4000;
  form->DoIt(30);
  EXPECT_EQ(p.rptB, 4000);
  form->DoIt(30);
  EXPECT_EQ(p.rptA, 0);
  EXPECT_EQ(p.rptB, 0);
  p.elapsedMs = 700;
  form->DoIt(31);
  EXPECT_EQ(p.rptB, 700);
}

TEST_F(ShellTest, ModeToggleCloseAndLinkSkins) {
  prog.Write("other.skin",
             "Varlo Skin, Other\n50,50,50,50,50,50\nmain.bmp,res.bmp\n0,0,0,0,0,0,0,0\n"
             "K1,0,0,5,5,0,0,X,back,default.skin\nE\n");
  Start();
  form->DoIt(37);
  EXPECT_TRUE(form->Player().State().cdMode);
  EXPECT_EQ(form->Form().lbl[26].caption, "CD");
  form->DoIt(37);
  EXPECT_FALSE(form->Player().State().cdMode);

  form->Skins().LoadSkin("other.skin", false);
  EXPECT_EQ(form->Form().btn[1].code, 1001);
  form->DoIt(1001);
  EXPECT_EQ(form->Settings().skin, prog.File("default.skin"));
  form->DoIt(151);  // the skin before this one
  EXPECT_EQ(form->Settings().skin, prog.File("other.skin"));
  form->DoIt(9999);  // nothing
  window.onClose = [&] { form->Form_Unload(); };
  form->DoIt(1);
  EXPECT_TRUE(form->Unloaded());
}

TEST_F(ShellTest, DraggingMovesTheWindowAndSnapsToTheWorkArea) {
  Preset("WinSnap=1\n");
  Start();
  auto& w = form->Form().window;
  w.left = 3000;
  w.top = 3000;
  form->Form_MouseDown(1, 10, 10);
  form->Form_MouseMove(1, 20, 15);
  EXPECT_EQ(w.left, 3150);
  EXPECT_EQ(w.top, 3075);
  form->Form_MouseUp(1, 20, 15);
  EXPECT_EQ(w.left, 3150);  // far from every edge
  form->Form_MouseMove(1, 0, 0);
  EXPECT_EQ(w.left, 3150);  // no drag without a press

  form->Form_MouseDown(1, 0, 0);
  form->Form_MouseMove(1, -202, 0);  // to 120 twips from the left edge
  form->Form_MouseUp(1, -202, 0);
  EXPECT_EQ(w.left, 0);
}

TEST(WindowSnap, TheTwoHundredAndFortyTwipRule) {
  const TwipRect area{0, 0, 15360, 11100};
  EXPECT_EQ(SnapToWorkArea({239, 5000, 3000, 1500}, area).left, 0);
  EXPECT_EQ(SnapToWorkArea({240, 5000, 3000, 1500}, area).left, 240);
  EXPECT_EQ(SnapToWorkArea({-239, 5000, 3000, 1500}, area).left, 0);
  EXPECT_EQ(SnapToWorkArea({5000, -100, 3000, 1500}, area).top, 0);
  EXPECT_EQ(SnapToWorkArea({5000, 9500, 3000, 1500}, area).top, 9600);  // bottom onto bottom
  EXPECT_EQ(SnapToWorkArea({12200, 5000, 3000, 1500}, area).left, 12360);
  EXPECT_EQ(SnapToWorkArea({12119, 5000, 3000, 1500}, area).left, 12119);  // 241 short
}

}  // namespace varlo

namespace varlo {

TEST_F(ShellTest, SliderValuesReachTheirOwners) {
  prog.Write("default.skin",
             "Varlo Skin/Player, Sliders\n200,100,200,150,100,50\nmain.bmp,res.bmp\n0,1,0,0,0,0,"
             "0,0\nS1,0,0,100,0,0,0,10,5,pos\nS2,0,20,100,0,0,0,10,5,vol\nS4,0,30,100,0,0,0,100,"
             "3,lvl\nS6,0,40,100,0,0,0,10,5,fm\nL1,0,50,50,10,0,0,0,8,Sans,t\nE\n");
  Start();
  auto& f = form->Form();
  form->iSlider_MouseDown(2, 0, 20);
  form->iSlider_MouseMove(57, 20);
  EXPECT_EQ(f.lbl[18].caption, "57%");
  EXPECT_EQ(f.slider[4].width, 57);  // the level bar follows the volume
  form->iSlider_MouseUp();
  form->iSlider_MouseMove(90, 20);  // released: nothing moves
  EXPECT_EQ(f.lbl[18].caption, "57%");

  form->Player().State().songLenMs = 200000;
  form->iSlider_MouseDown(1, 0, 0);
  form->iSlider_MouseMove(50, 0);
  EXPECT_EQ(f.lbl[1].caption, "01:40");
  form->Player().State().timeRemaining = true;
  form->iSlider_MouseMove(25, 0);
  EXPECT_EQ(f.lbl[1].caption, "-02:30");
  form->iSlider_MouseUp();
}

TEST_F(ShellTest, StoreModeShowsTheQuestionPointerAndCommandsAreObservable) {
  Start();
  std::vector<int> seen;
  form->onCommand = [&](int code) { seen.push_back(code); };
  form->DoIt(106);
  EXPECT_TRUE(form->Access().StoreArmed(StoreMode::Presets));
  EXPECT_TRUE(form->Form().window.storePointer);
  form->DoIt(146);
  form->DoIt(106);
  EXPECT_TRUE(form->Form().window.storePointer);  // the web-radio store is still armed
  form->DoIt(146);
  EXPECT_FALSE(form->Form().window.storePointer);
  EXPECT_EQ(seen, (std::vector<int>{106, 146, 106, 146}));
}

}  // namespace varlo
