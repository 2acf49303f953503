#include "shell_fixture.h"

namespace varlo {

TEST_F(ShellTest, EveryKeyIsWrittenAtExit) {
  Start();
  form->Form().lbl[52].caption = "Weather";
  form->Player().State().tNum = 4;
  Stop();
  const std::string text = config.Read("varlo.ini");
  for (const char* key :
       {"MCIDevice=0", "ContPB=0", "WinOnTop=0", "SnoozeTime=23:59", "ClearPlFirst=0",
        "ValidExt=mp2 mp3 mpa wma asf wav mid rmi avi mov qt flac", "FriendlyNames=1",
        "ReplayGain=0", "StartFreq=87.0", "FMFreq=870", "FavSkin0=", "URL2=Weather",
        "RadioURL9=", "LastTrack=4", "LastCover=", "LastPMd=0", "ExParm=0"})
    EXPECT_NE(text.find(std::string("\n") + key), std::string::npos) << key;
  EXPECT_EQ(text.find("\nX="), std::string::npos);  // "WinSavePos" is 0
  EXPECT_EQ(text.find("\nPath="), std::string::npos);
  EXPECT_LT(text.find("\nMCIDevice="), text.find("\nFMFreq="));
}

TEST_F(ShellTest, PositionIsSavedOnlyWhenAsked) {
  Preset("WinSavePos=1\n");
  Start();
  form->Form().window.left = 450;
  form->Form().window.top = 600;
  Stop();
  EXPECT_EQ(Stored("X"), "450");
  EXPECT_EQ(Stored("Y"), "600");

  // With "WinSavePos" 0 the stored place is kept and used at the next start.
  Preset("WinSavePos=0\nX=450\nY=600\n");
  Start();
  form->Form().window.left = 9;
  Stop();
  EXPECT_EQ(Stored("X"), "450");
  Start();
  EXPECT_EQ(form->Form().window.left, 450);
}

TEST_F(ShellTest, UnloadRunsOnceAndQuitClosesTheWindow) {
  Start();
  window.onClose = [&] { form->Form_Unload(); };
  form->Quit();
  EXPECT_EQ(window.closes, 1);
  EXPECT_TRUE(form->Unloaded());
  const std::string once = config.Read("varlo.ini");
  form->Form().lbl[50].caption = "changed after";
  form->Form_Unload();
  EXPECT_EQ(config.Read("varlo.ini"), once);
}

TEST_F(ShellTest, AGarbledSettingsFileIsReplacedWhole) {
  config.Write("varlo.ini", std::string("\x01\x02\0garbage=", 12));
  Start();
  EXPECT_EQ(form->Settings().friendlyNames, 1);
  Stop();
  const std::string text = config.Read("varlo.ini");
  EXPECT_EQ(text.rfind("[config]\n", 0), 0u);
  EXPECT_EQ(text.find("garbage"), std::string::npos);
}

}  // namespace varlo
