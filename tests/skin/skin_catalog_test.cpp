// The skin browser's reading of skin headers and folders.
#include "skin/skin_catalog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(SkinCatalog, HeadersNameTheirKindsAndOnlySkinHeadersCount) {
  auto h = ParseSkinHeader("Varlo Skin/Player Karaoke, Dark slate, teal\n480,386\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->kinds, "Player Karaoke");
  EXPECT_EQ(h->description, "Dark slate, teal");
  h = ParseSkinHeader("Tarnix Skin,Old one\r\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->kinds, "Player");
  h = ParseSkinHeader("Tarnix Skin/Clock,Old and new\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->kinds, "Clock");
  // The loader takes the headers exactly as written: nor does the browser list others.
  EXPECT_FALSE(ParseSkinHeader("TARNIX SKIN,Shouting\n"));
  EXPECT_FALSE(ParseSkinHeader("tarnix skin/Player,Whispering\n"));
  h = ParseSkinHeader("Varlo Skin/,Nothing after the slash\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->kinds, "");
  EXPECT_FALSE(ParseSkinHeader("VARLO SKIN/Player,Case matters for the new header\n"));
  EXPECT_FALSE(ParseSkinHeader("Some Skin/Player,x\n"));
  EXPECT_FALSE(ParseSkinHeader(""));
}

TEST(SkinCatalog, KindsMatchAsWholeWordsInAnyCase) {
  EXPECT_TRUE(HasKind("Player Clock", "Clock"));
  EXPECT_TRUE(HasKind("player  CLOCK", "clock"));
  EXPECT_TRUE(HasKind("\tPlayer", "PLAYER"));
  EXPECT_FALSE(HasKind("NoPlayer", "Player"));
  EXPECT_FALSE(HasKind("Players", "Player"));
  EXPECT_FALSE(HasKind("", "Player"));
  EXPECT_FALSE(HasKind("Player", ""));
}

TEST(SkinCatalog, AFolderListsItsSkinsSortedWithTheirOwnPaths) {
  testing::TempDir dir;
  dir.Write("b.SKIN", "Varlo Skin/Clock,Second\n");
  dir.Write("A.skin", "Varlo Skin/Player,First\n");
  dir.Write("c.Skin", "Tarnix Skin,Third\n");
  dir.Write("readme.txt", "Varlo Skin/Player,Not a skin file name\n");
  dir.Write("broken.skin", "\x89PNG\r\n");
  dir.Write("folder.skin/inner.skin", "Varlo Skin/Player,Inside a folder\n");
  // A huge file is judged by its first line only.
  dir.Write("big.skin", "Varlo Skin/Notepad,Big\n" + std::string(8u << 20, ';'));
  dir.Write("dangling.skin", "");
  ASSERT_EQ(std::remove(dir.File("dangling.skin").c_str()), 0);
  ASSERT_EQ(symlink(dir.File("gone").c_str(), dir.File("dangling.skin").c_str()), 0);
  const auto all = ReadSkinDir(dir.Path(), "All").entries;
  std::vector<std::string> names, paths;
  for (const SkinEntry& e : all) {
    names.push_back(e.Text());
    paths.push_back(e.path);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A > First", "B > Second", "BIG > Big", "C > Third"}));
  EXPECT_EQ(paths[1], dir.File("b.SKIN"));
  EXPECT_EQ(ReadSkinDir(dir.Path(), "Player").entries.size(), 2u);  // A and the legacy C
  EXPECT_EQ(ReadSkinDir(dir.Path(), "clock").entries.size(), 1u);
  EXPECT_TRUE(ReadSkinDir(dir.Path(), "Favorite").entries.empty());
  const auto favourites = ReadSkinDir(dir.Path(), "Favorite", {"", dir.File("c.Skin")}).entries;
  ASSERT_EQ(favourites.size(), 1u);
  EXPECT_EQ(favourites[0].name, "c");
  const SkinDir missing = ReadSkinDir(dir.File("missing"), "All");
  EXPECT_TRUE(missing.entries.empty());
  EXPECT_FALSE(missing.moreSkins || missing.moreEntries);
}

TEST(SkinCatalog, TheBoundsCountSkinsByNameAndEntriesOfEveryKindAndSayWhenTheyCut) {
  testing::TempDir dir;
  // Twelve skins, each with its bitmaps, written in an order unlike their names.
  for (int i = 11; i >= 0; --i) {
    const std::string name = "s" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    dir.Write(name + ".skin", "Varlo Skin/" + std::string(i % 2 ? "Clock" : "Player") + ",x\n");
    dir.Write(name + "-main.bmp", "b");
    dir.Write(name + "-res.bmp", "b");
  }
  // Every skin fits: the bitmaps count towards the entries looked at, not the skins listed.
  SkinDir read = ReadSkinDir(dir.Path(), "All", {}, {12, 36});
  EXPECT_EQ(read.entries.size(), 12u);
  EXPECT_FALSE(read.moreSkins);
  EXPECT_FALSE(read.moreEntries);
  // Five skins listed: the first five by name, and the list says it was cut.
  read = ReadSkinDir(dir.Path(), "All", {}, {5, 36});
  ASSERT_EQ(read.entries.size(), 5u);
  EXPECT_EQ(read.entries.front().name, "s00");
  EXPECT_EQ(read.entries.back().name, "s04");
  EXPECT_TRUE(read.moreSkins);
  EXPECT_FALSE(read.moreEntries);
  // The bound counts the skins of the kind shown: six clock skins fit a bound of six.
  read = ReadSkinDir(dir.Path(), "Clock", {}, {6, 36});
  EXPECT_EQ(read.entries.size(), 6u);
  EXPECT_FALSE(read.moreSkins);
  // A folder with more entries than are looked at says so.
  read = ReadSkinDir(dir.Path(), "All", {}, {4096, 20});
  EXPECT_LE(read.entries.size(), 12u);
  EXPECT_TRUE(read.moreEntries);
  // The defaults: thousands of skins with their bitmaps are all listed.
  EXPECT_EQ(SkinDirBounds{}.skins, 4096u);
  EXPECT_EQ(SkinDirBounds{}.entries, 65536u);
}

}  // namespace
}  // namespace varlo
