// The skin browser's reading of skin headers and folders.
#include "skin/skin_catalog.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(SkinCatalog, HeadersNameTheirKindsAndOnlySkinHeadersCount) {
  auto h = ParseSkinHeader("Varlo Skin/Player Karaoke, Dark slate, teal\n480,386\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->kinds, "Player Karaoke");
  EXPECT_EQ(h->description, "Dark slate, teal");
  h = ParseSkinHeader("TaRnIx SkIn,Old one\r\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->kinds, "Player");
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
  const auto all = ReadSkinDir(dir.Path(), "All");
  std::vector<std::string> names, paths;
  for (const SkinEntry& e : all) {
    names.push_back(e.Text());
    paths.push_back(e.path);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A > First", "B > Second", "BIG > Big", "C > Third"}));
  EXPECT_EQ(paths[1], dir.File("b.SKIN"));
  EXPECT_EQ(ReadSkinDir(dir.Path(), "Player").size(), 2u);  // A and the legacy C
  EXPECT_EQ(ReadSkinDir(dir.Path(), "clock").size(), 1u);
  EXPECT_TRUE(ReadSkinDir(dir.Path(), "Favorite").empty());
  const auto favourites = ReadSkinDir(dir.Path(), "Favorite", {"", dir.File("c.Skin")});
  ASSERT_EQ(favourites.size(), 1u);
  EXPECT_EQ(favourites[0].name, "c");
  EXPECT_TRUE(ReadSkinDir(dir.File("missing"), "All").empty());
}

TEST(SkinCatalog, AHugeFolderIsReadOnlyUpToItsBound) {
  testing::TempDir dir;
  for (std::size_t i = 0; i < kMaxSkinFolderEntries + 50; ++i)
    dir.Write("s" + std::to_string(i) + ".skin", "Varlo Skin/Player,x\n");
  EXPECT_EQ(ReadSkinDir(dir.Path(), "All").size(), kMaxSkinFolderEntries);
}

}  // namespace
}  // namespace varlo
