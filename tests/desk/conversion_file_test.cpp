#include "desk/conversion_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(ConversionFile, LinesGiveNameFactorAndOffset) {
  Conversion c = ParseConversion("C to F,1.8,32");
  EXPECT_EQ(c.name, "C to F");
  EXPECT_DOUBLE_EQ(c.factor, 1.8);
  EXPECT_DOUBLE_EQ(c.offset, 32);
  c = ParseConversion("in to cm, 2.54");
  EXPECT_DOUBLE_EQ(c.factor, 2.54);
  EXPECT_DOUBLE_EQ(c.offset, 0);
  c = ParseConversion("Just a title");
  EXPECT_EQ(c.name, "Just a title");
  EXPECT_DOUBLE_EQ(c.factor, 1);
  c = ParseConversion("bad,,x");
  EXPECT_DOUBLE_EQ(c.factor, 0);
  EXPECT_DOUBLE_EQ(c.offset, 0);
  c = ParseConversion("odd,2abc,-3.5e1 degrees");
  EXPECT_DOUBLE_EQ(c.factor, 2);
  EXPECT_DOUBLE_EQ(c.offset, -35);
}

TEST(ConversionFile, BlankLinesAreSkippedAndLineEndsTakenOff) {
  EXPECT_EQ(ConversionLines("a,1\r\n\r\n  \t \nb,2\n c,3 \r\nlast,4"),
            (std::vector<std::string>{"a,1", "b,2", " c,3 ", "last,4"}));
  EXPECT_TRUE(ConversionLines("").empty());
  EXPECT_TRUE(ConversionLines("\n\r\n").empty());
}

TEST(ConversionFile, ReadsBoundedAndFindsNamesInAnyCase) {
  testing::TempDir dir;
  dir.Write("Units.CCF", "m to ft,3.28083989501312\r\n");
  ConversionFile f = ReadConversionFile(dir.File("units.ccf"));
  EXPECT_EQ(f.status, ConversionRead::kOk);
  EXPECT_EQ(f.lines, std::vector<std::string>{"m to ft,3.28083989501312"});
  EXPECT_EQ(ReadConversionFile(dir.File("none.ccf")).status, ConversionRead::kMissing);
  dir.Write("big.ccf", std::string(kMaxConversionFileBytes + 1, '\n'));
  EXPECT_EQ(ReadConversionFile(dir.File("big.ccf")).status, ConversionRead::kTooLarge);
  // A folder is no conversion file.
  EXPECT_EQ(ReadConversionFile(dir.Path()).status, ConversionRead::kMissing);
}

}  // namespace
}  // namespace varlo
