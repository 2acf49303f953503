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

namespace varlo {
namespace {

// What the shipped line `name` of file `file` makes of `value`, forward.
double Shipped(const std::string& file, const std::string& name, double value) {
  const ConversionFile f = ReadConversionFile(std::string(VARLO_CONVERSIONS_DIR) + "/" + file);
  for (const std::string& line : f.lines) {
    const Conversion c = ParseConversion(line);
    if (c.name == name) return value * c.factor + c.offset;
  }
  ADD_FAILURE() << name << " not in " << file;
  return 0;
}

TEST(ShippedConversions, FactorsAndOffsetsAreRight) {
  EXPECT_NEAR(Shipped("temperature.ccf", "C to F", 100), 212, 1e-9);
  EXPECT_NEAR(Shipped("temperature.ccf", "F to C", 212), 100, 1e-9);
  EXPECT_NEAR(Shipped("temperature.ccf", "F to K", 32), 273.15, 1e-9);
  EXPECT_NEAR(Shipped("temperature.ccf", "K to F", 0), -459.67, 1e-9);
  EXPECT_NEAR(Shipped("temperature.ccf", "K to C", 0), -273.15, 1e-9);
  EXPECT_NEAR(Shipped("length.ccf", "mi to km", 1), 1.609344, 1e-12);
  EXPECT_NEAR(Shipped("length.ccf", "m to ft", 0.3048), 1, 1e-12);
  EXPECT_NEAR(Shipped("mass.ccf", "lb to kg", 1), 0.45359237, 1e-12);
  EXPECT_NEAR(Shipped("mass.ccf", "kg to lb", 0.45359237), 1, 1e-12);
  EXPECT_NEAR(Shipped("volume.ccf", "US gal to l", 1), 3.785411784, 1e-12);
  EXPECT_NEAR(Shipped("volume.ccf", "l to UK gal", 4.54609), 1, 1e-12);
  EXPECT_NEAR(Shipped("speed.ccf", "m/s to km/h", 10), 36, 1e-12);
  EXPECT_NEAR(Shipped("speed.ccf", "km/h to knots", 1.852), 1, 1e-12);
  EXPECT_NEAR(Shipped("data_sizes.ccf", "GiB to GB", 1), 1.073741824, 1e-12);
  EXPECT_NEAR(Shipped("data_sizes.ccf", "MB to MiB", 1.048576), 1, 1e-12);
  EXPECT_NEAR(Shipped("everyday.ccf", "C to F", -40), -40, 1e-9);
  // Every pair "a to b" / "b to a" of a file undoes itself.
  for (const char* file : {"length.ccf", "mass.ccf", "temperature.ccf", "volume.ccf", "speed.ccf",
                           "data_sizes.ccf", "everyday.ccf"}) {
    const ConversionFile f = ReadConversionFile(std::string(VARLO_CONVERSIONS_DIR) + "/" + file);
    ASSERT_EQ(f.status, ConversionRead::kOk) << file;
    for (const std::string& line : f.lines) {
      const Conversion c = ParseConversion(line);
      const std::size_t to = c.name.find(" to ");
      ASSERT_NE(to, std::string::npos) << line;
      const std::string back = c.name.substr(to + 4) + " to " + c.name.substr(0, to);
      for (const std::string& other : f.lines) {
        const Conversion o = ParseConversion(other);
        if (o.name != back) continue;
        EXPECT_NEAR((7 * c.factor + c.offset) * o.factor + o.offset, 7, 1e-9) << line;
      }
    }
  }
}

}  // namespace
}  // namespace varlo
