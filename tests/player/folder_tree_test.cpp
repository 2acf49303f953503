#include "player/folder_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace varlo {

using testing::TempDir;

TEST(FolderTree, SubfoldersComeBreadthFirstAndExtensionsMatchAsSubstrings) {
  TempDir dir;
  dir.Write("music/01-Top.mp3", "");
  dir.Write("music/notes.txt", "");
  dir.Write("music/README", "");
  dir.Write("music/a/deep/Deep_Song.MP3", "");
  dir.Write("music/a/lib.a", "");  // "A" occurs in "MPA"
  dir.Write("music/b/Other.wav", "");
  std::vector<std::string> names{"kept"}, paths{"/kept.mp3"};
  std::vector<std::size_t> progress;
  const std::size_t n = AddFolderTree(dir.File("music"), names, paths, "mp3 mpa wav", 1,
                                      [&](std::size_t taken) { progress.push_back(taken); });
  EXPECT_EQ(n, 4u);
  ASSERT_EQ(paths.size(), 5u);
  EXPECT_EQ(paths[0], "/kept.mp3");
  EXPECT_EQ(paths[1], dir.File("music/01-Top.mp3"));
  EXPECT_EQ(names[1], "Top");
  // a/ and b/ (either order) before a/deep/.
  const std::vector<std::string> middle{paths[2], paths[3]};
  EXPECT_TRUE(std::is_permutation(
      middle.begin(), middle.end(),
      std::vector<std::string>{dir.File("music/a/lib.a"), dir.File("music/b/Other.wav")}.begin()));
  EXPECT_EQ(paths[4], dir.File("music/a/deep/Deep_Song.MP3"));
  EXPECT_EQ(names[4], "Deep Song");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 4u);
}

TEST(FolderTree, EmptyOrMissingFoldersAndLinkLoops) {
  TempDir dir;
  std::vector<std::string> names, paths;
  EXPECT_EQ(AddFolderTree("", names, paths, "mp3", 1), 0u);
  EXPECT_EQ(AddFolderTree(dir.File("none"), names, paths, "mp3", 1), 0u);
  dir.Write("loop/x/song.mp3", "");
  std::filesystem::create_directory_symlink(dir.File("loop"), dir.File("loop/x/up"));
  EXPECT_EQ(AddFolderTree(dir.File("loop/"), names, paths, "mp3", 0), 1u);
  EXPECT_EQ(paths, std::vector<std::string>{dir.File("loop/x/song.mp3")});
}

}  // namespace varlo

namespace varlo {

TEST(FolderTree, FilesAndFoldersComeInNameOrder) {
  testing::TempDir dir;
  for (const char* name : {"m/zeta.mp3", "m/alpha.mp3", "m/mid.mp3", "m/b/x.mp3", "m/a/y.mp3"})
    dir.Write(name, "x");
  std::vector<std::string> names, paths;
  ASSERT_EQ(AddFolderTree(dir.File("m"), names, paths, "mp3", 0), 5u);
  const std::vector<std::string> want = {dir.File("m/alpha.mp3"), dir.File("m/mid.mp3"),
                                         dir.File("m/zeta.mp3"), dir.File("m/a/y.mp3"),
                                         dir.File("m/b/x.mp3")};
  EXPECT_EQ(paths, want);
}

}  // namespace varlo
