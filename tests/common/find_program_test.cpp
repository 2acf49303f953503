#include "common/find_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(FindOnPath, TakesTheFirstExecutableInPathOrder) {
  testing::TempDir a, b;
  const std::string plain = a.Write("tool", "data");  // not executable: passed over
  ASSERT_EQ(chmod(plain.c_str(), 0644), 0);
  const std::string second = b.Write("tool", "#!/bin/sh\n");
  ASSERT_EQ(chmod(second.c_str(), 0755), 0);
  ASSERT_EQ(mkdir(a.File("dir").c_str(), 0755), 0);

  EXPECT_EQ(FindOnPath("tool", a.Path() + ":" + b.Path()), second);
  EXPECT_EQ(FindOnPath("dir", a.Path()), "");  // folders are not programs
  EXPECT_EQ(FindOnPath("tool", a.Path()), "");
  EXPECT_EQ(FindOnPath("missing", a.Path() + "::" + b.Path()), "");
  EXPECT_EQ(FindOnPath("", b.Path()), "");
  EXPECT_EQ(FindOnPath(b.Path() + "/tool", b.Path()), "");  // names only, never paths
  EXPECT_EQ(FindOnPath("tool", ""), "");
}

}  // namespace
}  // namespace varlo
