#include "common/app_settings.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {

TEST(AppSettings, AnEmptyStoreGivesEveryDefault) {
  testing::TempDir dir;
  const AppSettings s = ReadAppSettings(SettingsStore(dir.File("none.ini")));
  EXPECT_EQ(s.mciDevice, "0");
  EXPECT_EQ(s.snoozeTime, "23:59");
  // A new settings file takes today's formats along with the old ones.
  EXPECT_EQ(s.validExt.substr(0, 42), "mp2 mp3 mpa wma asf wav mid rmi avi mov qt");
  for (const char* ext : {" flac", " ogg", " oga", " opus", " m4a", " aac", " wv", " ape", " mka",
                          " mp4", " mkv", " webm"})
    EXPECT_NE(s.validExt.find(ext), std::string::npos) << ext;
  EXPECT_EQ(s.replayGain, 0);
  EXPECT_EQ(s.friendlyNames, 1);
  EXPECT_EQ(s.useSkinBrowser, 1);
  EXPECT_EQ(s.useCDP, 1);
  EXPECT_EQ(s.useCDDB, 1);
  EXPECT_EQ(s.exParm, "0");
  EXPECT_EQ(s.startFreq, "87.0");
  EXPECT_EQ(s.fmFreqText, "870");
  EXPECT_EQ(s.timeFmt, 0);
  EXPECT_EQ(s.cddbCmd, "http://gnudb.gnudb.org/~cddb/cddb.cgi?cmd=");
  // Unset, the address is a placeholder that names no account or machine.
  EXPECT_EQ(s.emailID, "anonymous@localhost");
  EXPECT_TRUE(s.skin.empty());
}

TEST(AppSettings, StoredExtensionsAndReplayGainStayAsTheyAre) {
  testing::TempDir dir;
  SettingsStore store(dir.Write("old.ini",
                                "[config]\nValidExt=mp2 mp3 mpa wma asf wav mid rmi "
                                "avi mov qt\nReplayGain=2\n"));
  const AppSettings s = ReadAppSettings(store);
  EXPECT_EQ(s.validExt, "mp2 mp3 mpa wma asf wav mid rmi avi mov qt");
  EXPECT_EQ(s.replayGain, 2);
  WriteAppSettings(store, s);
  EXPECT_NE(store.Serialise().find("\nReplayGain=2\n"), std::string::npos);
}

TEST(AppSettings, WrittenInTableOrderWithTheExitSpellings) {
  testing::TempDir dir;
  SettingsStore store(dir.File("s.ini"));
  AppSettings s;
  s.clearPLFirst = -1;
  s.mciDevice = "2";
  s.favSkin[3] = "/skins/clock.skin";
  s.radioURL[9] = "http://radio";
  WriteAppSettings(store, s);
  const std::string text = store.Serialise();
  EXPECT_NE(text.find("ClearPlFirst=-1\n"), std::string::npos);
  EXPECT_EQ(text.find("ClearPLFirst"), std::string::npos);
  EXPECT_EQ(text.find("\nPath="), std::string::npos);  // written only by the dialogs
  EXPECT_LT(text.find("MCIDevice=2"), text.find("ContPB="));
  EXPECT_LT(text.find("StartFreq="), text.find("FMFreq="));
  EXPECT_LT(text.find("FavSkin9="), text.find("URL0="));
  EXPECT_LT(text.find("URL9="), text.find("RadioURL0="));

  const AppSettings back = ReadAppSettings(store);
  EXPECT_EQ(back.clearPLFirst, -1);
  EXPECT_EQ(back.mciDevice, "2");
  EXPECT_EQ(back.favSkin[3], "/skins/clock.skin");
  EXPECT_EQ(back.radioURL[9], "http://radio");
  EXPECT_EQ(DigitKey("URL", 7), "URL7");
}

}  // namespace varlo
