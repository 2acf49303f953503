// The FM mode inside the main window: its start and end, the commands the window routes to it
// and the skins that show it.
#include "shell_fixture.h"

namespace varlo {
namespace {

// An FM skin: the preset list (area 6), the tuning slider and a link back to the player.
void WriteFmSkin(const testing::TempDir& prog, testing::FakePictureLoader& pictures) {
  prog.Write("fm.skin",
             "Varlo Skin/Halvern, FM\n200,100,200,150,100,50\nfmmain.bmp,fmres.bmp\n"
             "0,1,0,0,0,0,0,0\nX6,0,30,60,20,200,200,200,0,0,0,8,Sans,Presets\n"
             "K1,1,1,10,10,0,0,P,Player,default.skin\nE\n");
  pictures.pictures[prog.Write("fmmain.bmp", "p")] = Picture(200, 100);
  pictures.pictures[prog.Write("fmres.bmp", "p")] = Picture(50, 50);
}

TEST_F(ShellTest, FmStartsWithTheWindowAndEndsWithIt) {
  prog.Write("stations.txt", "87.5 FM\r\n101.1 Jazz\r\n");
  Preset("FMEnable=1\nCardType=0\nCardPort=1\nFMFreq=1011\nExitMode=2\n");
  Start();
  EXPECT_EQ(tuner.calls[0], "type 0");
  EXPECT_EQ(tuner.calls[1], "port 856");
  EXPECT_EQ(form->Fm().Frequency(), 1011);
  EXPECT_EQ(form->Form().lbl[42].caption, "Jazz");
  EXPECT_EQ(form->Access().List(FormList::FmPreset).rows.size(), 2u);

  form->DoIt(83);  // the tuner's commands arrive whatever the skin shows
  tuner.volume = 4;
  dialogs.answer = MsgResult::Yes;
  tuner.calls.clear();
  Stop();
  EXPECT_EQ(Stored("FMFreq"), "1012");
  EXPECT_EQ(Stored("FMVolume"), "4");
  EXPECT_EQ(prog.Read("stations.txt"), "87.5 FM\r\n101.1 Jazz\r\n");
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().text, "Mute FM Tuner Audio?");
  EXPECT_EQ(tuner.calls, std::vector<std::string>{"off"});
}

TEST_F(ShellTest, VolumeCommandsDriveTheCardWhileFmIsShown) {
  WriteFmSkin(prog, pictures);
  Preset("FMEnable=1\n");
  Start();
  const double playerVolume = form->Player().State().volume;
  tuner.calls.clear();
  form->DoIt(7);  // the player skin: the player's volume
  EXPECT_TRUE(tuner.calls.empty());
  EXPECT_NE(form->Player().State().volume, playerVolume);

  form->Form().tables.links[1] = prog.File("fm.skin");
  form->DoIt(1001);
  ASSERT_TRUE(form->Access().ListVisible(FormList::FmPreset));
  const double before = form->Player().State().volume;
  form->DoIt(8);
  form->DoIt(9);
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"up", "volume 0"}));
  EXPECT_EQ(form->Form().lbl[8].caption, "Mute");
  EXPECT_DOUBLE_EQ(form->Player().State().volume, before);

  // A number typed in the FM skin tunes; in the player skin it picks a track.
  form->Form().lbl[23].caption = "101.1";
  form->DoIt(39);
  EXPECT_EQ(tuner.tuned, 101100000);
  EXPECT_EQ(form->Form().lbl[23].caption, "");
}

TEST_F(ShellTest, WithoutATunerLibraryTheProgramRunsAndSaysSo) {
  tuner.loaded = false;
  Preset("FMEnable=1\nExitMode=2\n");
  Start();
  EXPECT_EQ(form->Form().lbl[42].caption, "No tuner library");
  form->DoIt(81);
  Stop();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Stored("FMVolume"), "<absent>");
}

}  // namespace
}  // namespace varlo
