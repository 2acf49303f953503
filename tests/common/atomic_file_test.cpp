#include "common/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace varlo {

TEST(AtomicFile, WritesReplaceAndFailuresKeepTheOldFile) {
  testing::TempDir dir;
  const std::string path = dir.File("sub/list.txt");
  ASSERT_TRUE(WriteFileAtomic(path, "one"));
  ASSERT_TRUE(WriteFileAtomic(path, "two"));
  EXPECT_EQ(dir.Read("sub/list.txt"), "two");

  // A target that cannot be replaced (a non-empty folder) fails and leaves no litter.
  dir.Write("busy/inner", "keep");
  EXPECT_FALSE(WriteFileAtomic(dir.File("busy"), "three"));
  EXPECT_EQ(dir.Read("busy/inner"), "keep");
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.Path())) (void)e, ++entries;
  EXPECT_EQ(entries, 2);  // sub and busy, no temporary file
  // A parent that is a file cannot hold anything.
  EXPECT_FALSE(WriteFileAtomic(dir.File("sub/list.txt/x"), "x"));
}

TEST(AtomicFile, BoundedRead) {
  testing::TempDir dir;
  dir.Write("a", std::string(100, 'x'));
  EXPECT_EQ(ReadFileBounded(dir.File("a"), 100)->size(), 100u);
  EXPECT_FALSE(ReadFileBounded(dir.File("a"), 99));
  EXPECT_FALSE(ReadFileBounded(dir.File("none"), 99));
}

}  // namespace varlo
