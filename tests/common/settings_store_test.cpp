#include "common/settings_store.h"

#include <gtest/gtest.h>

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

TEST(SettingsStore, GarbledOrOversizedFilesGiveDefaultsAndAreReplacedWhole) {
  testing::TempDir dir;
  const std::string garbled = std::string("[config]\nSkin=/a\n\0\xff\xfe binary", 26);
  const std::string path = dir.Write("g.ini", garbled);
  SettingsStore store(path);
  EXPECT_EQ(ReadSetting(store, "Skin", "default"), "default");
  WriteSetting(store, "Skin", "/b");
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(dir.Read("g.ini"), "[config]\nSkin=/b\n\n");

  dir.Write("big.ini", "[config]\nSkin=/a\n" + std::string(2 << 20, ';'));
  EXPECT_EQ(ReadSetting(SettingsStore(dir.File("big.ini")), "Skin", "none"), "none");

  // Lines without "=" and stray headers are passed over.
  dir.Write("junk.ini", "hello\n[\n=novalue\n[config]\n  Skin = /c\n");
  EXPECT_EQ(ReadSetting(SettingsStore(dir.File("junk.ini")), "skin", ""), " /c");
}

}  // namespace varlo
