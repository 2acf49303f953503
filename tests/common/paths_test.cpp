#include "common/paths.h"

#include <gtest/gtest.h>

#include "common/program_folder.h"
#include "tests/support/temp_dir.h"

namespace varlo {

TEST(Paths, SplittingNames) {
  EXPECT_EQ(AddSlash("/a/b"), "/a/b/");
  EXPECT_EQ(AddSlash("/a/b/"), "/a/b/");
  EXPECT_EQ(AddSlash(""), "");
  EXPECT_EQ(GetPath("/music/a.mp3"), "/music/");
  EXPECT_EQ(GetPath("a.mp3"), "");
  EXPECT_EQ(GetFileName("/music/a.mp3"), "a.mp3");
  EXPECT_EQ(GetFileName("a.mp3"), "a.mp3");
  EXPECT_EQ(GetExt("/m/a.b.mp3"), "mp3");
  EXPECT_EQ(GetExt("/m/noext"), "");
  EXPECT_EQ(StripExt("/m/a.b.mp3"), "/m/a.b");
  EXPECT_EQ(ToHostPath("skins\\blue\\main.bmp"), "skins/blue/main.bmp");
  EXPECT_TRUE(IsFullPath("/x"));
  EXPECT_FALSE(IsFullPath("x/y"));
}

TEST(Paths, FileExistsAndFindPicture) {
  testing::TempDir dir;
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir.File("none")));
  EXPECT_FALSE(FileExists(dir.Path()));  // a folder is not a file
  dir.Write("cover.GIF", "x");
  dir.Write("cover.jpg", "x");
  EXPECT_EQ(FindPicture(dir.File("cover")), dir.File("cover.GIF"));
  dir.Write("cover.BMP", "x");
  EXPECT_EQ(FindPicture(dir.File("cover")), dir.File("cover.BMP"));
  EXPECT_EQ(FindPicture(dir.File("other")), "");
}

TEST(ProgramFolder, ShippedFilesAreCopiedButNeverOverwritten) {
  testing::TempDir shipped, home;
  shipped.Write("default.skin", "new");
  shipped.Write("docs/faq.txt", "faq");
  home.Write("default.skin", "mine");
  EXPECT_EQ(InstallMissingFiles(shipped.Path(), home.Path()), 1);
  EXPECT_EQ(home.Read("default.skin"), "mine");
  EXPECT_EQ(home.Read("docs/faq.txt"), "faq");
  EXPECT_EQ(InstallMissingFiles(shipped.Path(), home.Path()), 0);
  EXPECT_EQ(InstallMissingFiles(shipped.File("missing"), home.Path()), 0);
}

}  // namespace varlo
