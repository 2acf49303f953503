#include "common/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace varlo {

TEST(SettingsStore, NamesCompareWithoutCaseAndValuesRoundTrip) {
  testing::TempDir dir;
  const std::string path = dir.File("varlo.ini");
  {
    SettingsStore store(path);
    WriteSetting(store, "ClearPlFirst", "1");
    WriteSetting(store, "CDDBcmd", "http://h/~cddb/cddb.cgi/?cmd=");
    WriteSetting(store, "Odd", " two\nlines \\ and = signs ");
    store.Set("Other", "SSSkin", "/x.skin");
    ASSERT_TRUE(store.Save());
  }
  SettingsStore store(path);
  EXPECT_EQ(ReadSetting(store, "CLEARPLFIRST", "0"), "1");
  EXPECT_EQ(store.Get("CONFIG", "clearplfirst", ""), "1");
  EXPECT_EQ(ReadSetting(store, "CDDBcmd", ""), "http://h/~cddb/cddb.cgi/?cmd=");
  EXPECT_EQ(ReadSetting(store, "Odd", ""), " two\nlines \\ and = signs ");
  EXPECT_EQ(store.Get("other", "ssskin", ""), "/x.skin");
  EXPECT_EQ(ReadSetting(store, "Missing", "dflt"), "dflt");
  EXPECT_FALSE(store.Has("config", "Missing"));
}

TEST(SettingsStore, NumbersReadTheirLeadingNumberClampedToSixteenBits) {
  testing::TempDir dir;
  SettingsStore store(dir.File("s.ini"));
  WriteSetting(store, "A", "  12abc");
  WriteSetting(store, "B", "abc");
  WriteSetting(store, "C", "");
  WriteSetting(store, "D", "99999");
  WriteSetting(store, "E", "-99999");
  WriteSetting(store, "F", "2.5");
  EXPECT_EQ(ReadSettingNum(store, "A", "0"), 12);
  EXPECT_EQ(ReadSettingNum(store, "B", "5"), 0);
  EXPECT_EQ(ReadSettingNum(store, "C", "5"), 0);
  EXPECT_EQ(ReadSettingNum(store, "D", "0"), 32767);
  EXPECT_EQ(ReadSettingNum(store, "E", "0"), -32768);
  EXPECT_EQ(ReadSettingNum(store, "F", "0"), 2);
  EXPECT_EQ(ReadSettingNum(store, "Absent", "7"), 7);
}

TEST(SettingsStore, TwoWritersKeepEachOthersKeys) {
  testing::TempDir dir;
  const std::string path = dir.Write("varlo.ini", "[config]\nSkin=/a.skin\nTimeFmt=0\n");
  SettingsStore varlo(path);
  SettingsStore saver(path);  // the screen saver, running at the same time

  saver.Set("config", "SSSkin", "/clock.skin");
  saver.Set("config", "TimeFmt", "1");
  ASSERT_TRUE(saver.Save());

  // The main program writes every key at exit, changed or not: only the changed ones count.
  WriteSetting(varlo, "Skin", "/b.skin");
  WriteSetting(varlo, "timefmt", "0");
  WriteSetting(varlo, "WinOnTop", "0");
  ASSERT_TRUE(varlo.Save());
  SettingsStore after(path);
  EXPECT_EQ(ReadSetting(after, "Skin", ""), "/b.skin");
  EXPECT_EQ(ReadSetting(after, "SSSkin", ""), "/clock.skin");
  EXPECT_EQ(ReadSetting(after, "TimeFmt", ""), "1");
  EXPECT_EQ(ReadSetting(after, "WinOnTop", ""), "0");

  // A key written once is not written again by later saves that did not change it.
  saver.Set("config", "Skin", "/c.skin");
  ASSERT_TRUE(saver.Save());
  WriteSetting(varlo, "Skin", "/b.skin");
  WriteSetting(varlo, "Path", "/music");
  ASSERT_TRUE(varlo.Save());
  SettingsStore last(path);
  EXPECT_EQ(ReadSetting(last, "Skin", ""), "/c.skin");
  EXPECT_EQ(ReadSetting(last, "Path", ""), "/music");
  EXPECT_EQ(ReadSetting(last, "SSSkin", ""), "/clock.skin");

  // Through a link the file it names is merged into and replaced; the link stays.
  std::filesystem::create_symlink(path, dir.File("link.ini"));
  SettingsStore linked(dir.File("link.ini"));
  WriteSetting(linked, "Snooze", "1");
  ASSERT_TRUE(linked.Save());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
  EXPECT_EQ(ReadSetting(SettingsStore(path), "Snooze", ""), "1");
  EXPECT_EQ(ReadSetting(SettingsStore(path), "Skin", ""), "/c.skin");
}

TEST(SettingsStore, DefaultsNeverReplaceWhatAnotherProgramStoredMeanwhile) {
  testing::TempDir dir;
  const std::string path = dir.Write("varlo.ini", "[config]\nSkin=/a.skin\n");
  SettingsStore varlo(path);  // no "TimeFmt" when it started

  // The saver's dialog stores the key while the main program runs.
  SettingsStore saver(path);
  WriteSetting(saver, "TimeFmt", "1");
  ASSERT_TRUE(saver.Save());

  // At exit the main program writes every key; this one it never had and never changed.
  WriteSettingOrDefault(varlo, "TimeFmt", "0", "0");
  WriteSettingOrDefault(varlo, "SkinPath", "", "");     // absent everywhere: written
  WriteSettingOrDefault(varlo, "Skin", "/a.skin", "");  // present, unchanged: left alone
  ASSERT_TRUE(varlo.Save());
  SettingsStore after(path);
  EXPECT_EQ(ReadSetting(after, "TimeFmt", ""), "1");
  EXPECT_TRUE(after.Has("config", "SkinPath"));
  EXPECT_EQ(ReadSetting(varlo, "TimeFmt", ""), "0");  // the running program keeps its value

  // A real change made after a default is written like any change.
  SettingsStore again(dir.Write("b.ini", "[config]\n"));
  WriteSettingOrDefault(again, "ExMode", "0", "0");
  WriteSetting(again, "ExMode", "2");
  SettingsStore other(dir.File("b.ini"));
  WriteSetting(other, "ExMode", "1");
  ASSERT_TRUE(other.Save());
  ASSERT_TRUE(again.Save());
  EXPECT_EQ(ReadSetting(SettingsStore(dir.File("b.ini")), "ExMode", ""), "2");
}

TEST(SettingsStore, AFailedSaveTellsWhyAndKeepsItsChanges) {
  testing::TempDir dir;
  const std::string path = dir.Write("varlo.ini", "[config]\nSkin=/a.skin\n");
  SettingsStore store(path);
  WriteSetting(store, "Skin", "/b.skin");

  // A folder in the file's place is not moved aside: the save fails and says why.
  std::filesystem::remove(path);
  dir.Write("varlo.ini/inner", "keep");
  const WriteStatus saved = store.Save();
  EXPECT_EQ(saved.Reason(), "Is a directory");
  EXPECT_EQ(dir.Read("varlo.ini/inner"), "keep");
  EXPECT_FALSE(std::filesystem::exists(dir.File("varlo.ini.bad")));

  // Once the folder is gone the change not yet written is written.
  std::filesystem::remove_all(path);
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(ReadSetting(SettingsStore(path), "Skin", ""), "/b.skin");
}

TEST(SettingsStore, UnreadableFilesAreKeptAsideBeforeAnythingIsWritten) {
  testing::TempDir dir;
  const std::string garbled = std::string("[config]\nSkin=/a\n\0\xff\xfe binary", 26);
  const std::string path = dir.Write("g.ini", garbled);
  SettingsStore store(path);
  EXPECT_EQ(ReadSetting(store, "Skin", "default"), "default");
  WriteSetting(store, "Skin", "/b");
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(store.Save());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(dir.Read("g.ini"), "[config]\nSkin=/b\n\n");
  EXPECT_EQ(dir.Read("g.ini.bad"), garbled);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("g.ini.bad"), std::string::npos) << said;
  // Once replaced, the file is ours again: the next save says nothing and keeps nothing.
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  const std::string big = "[config]\nSkin=/a\n" + std::string(2 << 20, ';');
  dir.Write("big.ini", big);
  SettingsStore large(dir.File("big.ini"));
  EXPECT_EQ(ReadSetting(large, "Skin", "none"), "none");
  WriteSetting(large, "X", "10");
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(large.Save());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("larger"), std::string::npos);
  EXPECT_EQ(dir.Read("big.ini.bad"), big);
  EXPECT_EQ(ReadSetting(SettingsStore(dir.File("big.ini")), "X", ""), "10");

  // A file that was fine at start and went bad since: what was read is written, not lost.
  const std::string later = dir.Write("later.ini", "[config]\nSkin=/kept\n[Other]\nA=1\n");
  SettingsStore early(later);
  dir.Write("later.ini", std::string(3, '\0'));
  WriteSetting(early, "Y", "5");
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(early.Save());
  ::testing::internal::GetCapturedStderr();
  SettingsStore reread(later);
  EXPECT_EQ(ReadSetting(reread, "Skin", ""), "/kept");
  EXPECT_EQ(ReadSetting(reread, "Y", ""), "5");
  EXPECT_EQ(reread.Get("other", "a", ""), "1");

  // Lines without "=" and stray headers are passed over.
  dir.Write("junk.ini", "hello\n[\n=novalue\n[config]\n  Skin = /c\n");
  EXPECT_EQ(ReadSetting(SettingsStore(dir.File("junk.ini")), "skin", ""), " /c");
}

}  // namespace varlo
