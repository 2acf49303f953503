#include "skin/element_fields.h"

#include <gtest/gtest.h>

namespace varlo {

TEST(ElementFields, HotKeys) {
  EXPECT_EQ(CvtKey("\\013"), "\r");
  EXPECT_EQ(CvtKey("\\065"), "A");
  EXPECT_EQ(CvtKey("abcd"), "");  // four characters without a backslash
  EXPECT_EQ(CvtKey("\\0x1"), "");
  EXPECT_EQ(CvtKey("X"), "X");
  EXPECT_EQ(CvtKey("Play"), "");
  EXPECT_EQ(CvtKey("Pl"), "P");
  EXPECT_EQ(CvtKey(""), "");
}

TEST(ElementFields, TipsAndFonts) {
  EXPECT_EQ(TipText("~hidden"), "");
  EXPECT_EQ(TipText("Play"), "Play");
  FontSpec f = ParseFontField("DejaVu Sans  :bIu", -9, true);
  EXPECT_EQ(f.name, "DejaVu Sans");
  EXPECT_EQ(f.size, 9);
  EXPECT_TRUE(f.bold && f.italic && f.underline);
  FontSpec area = ParseFontField("Mono:B", 8, false);
  EXPECT_FALSE(area.bold);
  EXPECT_EQ(ParseFontField("", 8, true).name, "Arial");
}

}  // namespace varlo
