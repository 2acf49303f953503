#include "skin/field_reader.h"

#include <gtest/gtest.h>

namespace varlo {

TEST(SkinFieldReader, FieldsEndAtCommasAndLineEndsAndQuotesHoldCommas) {
  SkinFieldReader r("  a , b,\"c, d\" junk ,\r\n\n  e\n\"open");
  EXPECT_EQ(r.Next(), "a");
  EXPECT_EQ(r.Next(), "b");
  EXPECT_EQ(r.Next(), "c, d");
  EXPECT_EQ(r.Next(), "");   // the empty field before the line end
  EXPECT_EQ(r.Next(), "e");  // the blank line is passed over
  EXPECT_FALSE(r.AtEnd());
  EXPECT_EQ(r.Next(), "open");  // an unclosed quote ends at the line end
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.Next(), "");
}

TEST(SkinFieldReader, RestOfLineAfterACommaOrTheWholeNextLine) {
  SkinFieldReader r("Varlo Skin, My skin, with commas\n;comment\nB1,2\n");
  EXPECT_EQ(r.Next(), "Varlo Skin");
  EXPECT_EQ(r.RestOfLine(), " My skin, with commas");
  EXPECT_EQ(r.Next(), ";comment");
  // The token ended at the line end, so the following line is what is swallowed.
  EXPECT_EQ(r.RestOfLine(), "B1,2");
  EXPECT_TRUE(r.AtEnd());

  SkinFieldReader alone("Tarnix Skin\nThe description\n");
  EXPECT_EQ(alone.Next(), "Tarnix Skin");
  EXPECT_EQ(alone.RestOfLine(), "The description");
}

}  // namespace varlo
