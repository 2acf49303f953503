#include "common/numtext.h"

#include <gtest/gtest.h>

#include "tests/support/comma_locale.h"

namespace varlo {

TEST(NumText, LeadingNumberTakesOnlyTheNumberAtTheStart) {
  EXPECT_EQ(LeadingNumber("  42abc"), 42);
  EXPECT_EQ(LeadingNumber("-7.5 rest"), -7.5);
  EXPECT_EQ(LeadingNumber("1e3"), 1000);
  EXPECT_EQ(LeadingNumber("2e"), 2);  // an exponent without digits is not part of it
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1e99999"), 0);  // infinities never escape
}

TEST(NumText, WholeNumberRejectsTrailingText) {
  double v = -1;
  EXPECT_TRUE(ParseWholeNumber(" 12 ", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(ParseWholeNumber("", v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(ParseWholeNumber("12x", v));
  EXPECT_FALSE(ParseWholeNumber("x", v));
}

TEST(NumText, RoundingAndClampingToSixteenBits) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(3.5), 4);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(40000), 32767);
  EXPECT_EQ(ToInt16(-40000), -32768);
  EXPECT_EQ(ToInt32(1e12), 2147483647);
}

TEST(NumText, FixedFormats) {
  EXPECT_EQ(FormatFixed(7, 2, 0), "07");
  EXPECT_EQ(FormatFixed(123, 2, 0), "123");
  EXPECT_EQ(FormatFixed(89.5, 3, 1), "089.5");
  EXPECT_EQ(FormatFixed(101.1, 3, 1), "101.1");
  EXPECT_EQ(FormatFixed(1.2345, 3, 3), "001.235");  // halves away from zero
  EXPECT_EQ(FormatFixed(0.25, 1, 1), "0.3");
  EXPECT_EQ(FormatFixed(-3, 2, 0), "-03");
  EXPECT_EQ(FormatFixed(-0.01, 1, 1), "0.0");  // no negative zero
}

TEST(NumText, NumberToTextHasALeadingBlankForNonNegatives) {
  EXPECT_EQ(NumToText(5), " 5");
  EXPECT_EQ(NumToText(0), " 0");
  EXPECT_EQ(NumToText(-5), "-5");
  EXPECT_EQ(NumToText(2.5), " 2.5");
  EXPECT_EQ(IntToText(-1), "-1");
}

TEST(NumText, TimeTextAndCase) {
  EXPECT_EQ(TimeText(3725), "62:05");
  EXPECT_EQ(TimeText(0), "00:00");
  EXPECT_EQ(UpperCase("Mini*skin"), "MINI*SKIN");
  EXPECT_TRUE(EqualsNoCase("ClearPlFirst", "CLEARPLFIRST"));
  EXPECT_FALSE(EqualsNoCase("Skin", "Skins"));
  EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
}

TEST(NumText, NumbersReadAndWriteTheSameInALocaleWithADecimalComma) {
  testing::CommaDecimalLocale german;
  if (!german.Active()) GTEST_SKIP() << "no de_DE locale and none can be built";
  EXPECT_EQ(LeadingNumber("87.5 MHz"), 87.5);
  EXPECT_EQ(LeadingNumber("87,5"), 87);  // a comma is never a decimal point
  EXPECT_EQ(LeadingNumber("+2.5d1"), 25);
  double v = 0;
  EXPECT_TRUE(ParseWholeNumber(" 0.25 ", v));
  EXPECT_EQ(v, 0.25);
  EXPECT_EQ(NumToText(2.5), " 2.5");
  EXPECT_EQ(NumToText(-0.125), "-0.125");
  EXPECT_EQ(NumToText(1.0 / 3), " 0.333333333333333");
  EXPECT_EQ(NumToText(1e20), " 1e+20");
  EXPECT_EQ(FormatFixed(89.5, 3, 1), "089.5");
  EXPECT_EQ(FormatFixed(-1.2345, 3, 3), "-001.235");
  EXPECT_EQ(FormatFixed(1e300, 1, 1).size(), 303u);
  EXPECT_EQ(IntToText(-32768), "-32768");

  char cut[4];
  EXPECT_EQ(FormatFixedTo(cut, sizeof cut, 123.456, 3, 2), 4u);  // cut to the room given
  EXPECT_EQ(std::string(cut, 4), "123.");
}

}  // namespace varlo
