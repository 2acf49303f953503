#include "common/write_protect.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace varlo {

// Mode bits decide, so every case holds for the super-user as for anyone.
TEST(WriteProtect, FileOrFolderWithoutWriteBitsIsProtected) {
  testing::TempDir dir;
  const std::string file = dir.Write("music/song.mp3", "x");
  EXPECT_FALSE(IsWriteProtected(file));
  EXPECT_FALSE(IsWriteProtected(dir.File("music/new.m3u")));
  EXPECT_FALSE(IsWriteProtected(dir.File("music/not/yet/made.m3u")));
  EXPECT_FALSE(IsWriteProtected(""));

  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_TRUE(IsWriteProtected(file));
  // Any write bit is enough: whether this user may use it is the system's answer.
  ASSERT_EQ(::chmod(file.c_str(), 0464), 0);
  EXPECT_FALSE(IsWriteProtected(file));

  ASSERT_EQ(::chmod(dir.File("music").c_str(), 0555), 0);
  EXPECT_TRUE(IsWriteProtected(file));
  EXPECT_TRUE(IsWriteProtected(dir.File("music/new.m3u")));
  EXPECT_TRUE(IsWriteProtected(dir.File("music/not/yet/made.m3u")));
  ::chmod(dir.File("music").c_str(), 0755);
}

TEST(WriteProtect, LinksAreFollowedToTheFileTheyName) {
  testing::TempDir dir;
  const std::string file = dir.Write("locked/list.m3u", "x");
  ASSERT_EQ(::symlink(file.c_str(), dir.File("link.m3u").c_str()), 0);
  EXPECT_FALSE(IsWriteProtected(dir.File("link.m3u")));
  // The link's own folder stays writable; the target's folder is where the file is replaced.
  ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0555), 0);
  EXPECT_TRUE(IsWriteProtected(dir.File("link.m3u")));
  ::chmod(dir.File("locked").c_str(), 0755);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_TRUE(IsWriteProtected(dir.File("link.m3u")));
  // A dangling link names no file: its folder decides.
  ASSERT_EQ(::symlink(dir.File("gone").c_str(), dir.File("dangling").c_str()), 0);
  EXPECT_FALSE(IsWriteProtected(dir.File("dangling")));
}

}  // namespace varlo
