#include "skin/digit_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/comma_locale.h"
#include "tests/support/fakes.h"

namespace varlo {
namespace {

std::string Text(int style, const DigitValue& value) {
  DigitText out;
  FormatDigitText(style, value, LocalTime{}, false, out);
  return std::string(out.Cells());
}

struct ClockText {
  std::string cells, label9;
};

ClockText Clock(int style, int hour, int minute, int second, bool twelveHour) {
  LocalTime now;
  now.hour = hour, now.minute = minute, now.second = second;
  DigitText out;
  FormatDigitText(style, 0, now, twelveHour, out);
  EXPECT_TRUE(out.setsLabel9);
  return {std::string(out.Cells()), std::string(out.Label9())};
}

TEST(DigitText, SecondsAndFixedPlaces) {
  EXPECT_EQ(Text(0, 3725), "62:05");
  EXPECT_EQ(Text(0, 0), "00:00");
  EXPECT_EQ(Text(0, 59.4), "00:59");
  EXPECT_EQ(Text(0, 6000), "100:00");  // wider than the display: every character kept
  EXPECT_EQ(Text(0, -65), "-01:05");
  EXPECT_EQ(Text(5, 3725), "01:02:05");
  EXPECT_EQ(Text(5, 360000), "100:00:00");

  EXPECT_EQ(Text(-3, 7), "007");
  EXPECT_EQ(Text(-3, 1234), "234");
  EXPECT_EQ(Text(-3, 6.5), "007");   // halves round away from zero
  EXPECT_EQ(Text(-2, -5), "05");     // the minus falls off the left
  EXPECT_EQ(Text(-3, "42"), "042");  // a text holding a number is that number
  EXPECT_EQ(Text(-3, "abcd"), "bcd");
}

TEST(DigitText, NumbersShowAPointWhateverTheLocale) {
  testing::CommaDecimalLocale german;
  if (!german.Active()) GTEST_SKIP() << "no de_DE locale and none can be built";
  EXPECT_EQ(Text(3, 89.5), " 89.5");
  EXPECT_EQ(Text(4, 1.25), "  1.250");
  EXPECT_EQ(Text(16, 2.5), "2.5");
  EXPECT_EQ(Text(-3, "6.5"), "007");
}

TEST(DigitText, LeadingZerosBlankOnlyWhereTheStyleSaysSo) {
  EXPECT_EQ(Text(3, 89.5), " 89.5");
  EXPECT_EQ(Text(3, 0.5), "   .5");
  EXPECT_EQ(Text(3, 100), "100.0");
  EXPECT_EQ(Text(4, 1.25), "  1.250");
  EXPECT_EQ(Text(4, 0.005), "   .  5");  // every zero before the first non-zero digit
  EXPECT_EQ(Text(16, "007 Bond"), "  7 Bond");
  EXPECT_EQ(Text(16, "Take 5 0f 10"), "Take 5 0f 10");
  EXPECT_EQ(Text(16, 2.5), "2.5");
  EXPECT_EQ(Text(16, 12), "12");
  EXPECT_EQ(Text(-16, 7), "7");  // beyond the fixed-digit styles: plain text
  EXPECT_EQ(Text(0, ""), "");    // a text without a number is shown as it is
  EXPECT_EQ(Text(3, "n/a"), "n/a");
}

TEST(DigitText, ClocksSplitTheMarkerToLabel9) {
  EXPECT_EQ(Clock(1, 9, 5, 7, false).cells, "09:05");
  EXPECT_EQ(Clock(1, 9, 5, 7, false).label9, "  ");
  EXPECT_EQ(Clock(1, 21, 5, 7, false).cells, "21:05");
  EXPECT_EQ(Clock(1, 9, 5, 7, true).cells, " 9:05");
  EXPECT_EQ(Clock(1, 21, 5, 7, true).label9, "PM");
  EXPECT_EQ(Clock(1, 0, 30, 0, true).cells, "12:30");
  EXPECT_EQ(Clock(1, 0, 30, 0, true).label9, "AM");
  EXPECT_EQ(Clock(1, 12, 0, 0, true).label9, "PM");
  EXPECT_EQ(Clock(1, 0, 5, 0, false).cells, "00:05");  // the 24-hour clock keeps its zeros

  EXPECT_EQ(Clock(2, 9, 5, 7, false).cells, "09:05:07");
  EXPECT_EQ(Clock(2, 9, 5, 7, false).label9, "");
  EXPECT_EQ(Clock(2, 21, 5, 7, true).cells, " 9:05:07");
  EXPECT_EQ(Clock(2, 21, 5, 7, true).label9, "PM");
}

// A form with one visible display n at (20, 10) whose glyphs start at (100, 50).
struct DisplayForm {
  SkinForm form;
  testing::FakeClock clock;
  std::vector<unsigned> notes;
  DisplayForm(int n, int style, int d1) {
    form.onChange = [this](unsigned bits) { notes.push_back(bits); };
    form.dig[static_cast<std::size_t>(n)].Place(20, 10, 60, 12);
    form.dig[static_cast<std::size_t>(n)].visible = true;
    DigitRecord& rec = form.tables.digits[static_cast<std::size_t>(n)];
    rec.sx = 100, rec.sy = 50, rec.w = 8, rec.h = 12, rec.gap = 3, rec.d1 = d1, rec.d2 = 1;
    rec.style = style;
  }
  void Set(int n, const DigitValue& v, bool twelveHour = false) {
    SetDD(form, n, v, {clock, twelveHour});
  }
  std::vector<Blit> Cells(int n) const {
    const DigitBlits& c = form.digitCells[static_cast<std::size_t>(n)];
    return {c.begin(), c.end()};
  }
};

TEST(SetDD, NumericStripCellsAdvanceByTheirWidth) {
  DisplayForm d(1, 3, 0);
  d.Set(1, 89.5);
  const std::vector<Blit> expected{
      {180, 50, 8, 12, 20, 10},  // blank
      {164, 50, 8, 12, 29, 10},  // 8
      {172, 50, 8, 12, 38, 10},  // 9
      {188, 50, 3, 12, 47, 10},  // point, gap wide
      {140, 50, 8, 12, 51, 10},  // 5
  };
  EXPECT_EQ(d.Cells(1), expected);
  EXPECT_EQ(d.notes, std::vector<unsigned>{kChangeDigits});
  d.Set(1, "89.5");  // the same cells again: nothing to repaint
  EXPECT_EQ(d.notes.size(), 1u);

  d.form.tables.digits[1].style = 0;
  d.Set(1, -65);  // "-01:05": minus, colon and digits
  const std::vector<Blit> cells = d.Cells(1);
  ASSERT_EQ(cells.size(), 6u);
  EXPECT_EQ(cells[0].sx, 100 + 13 * 8);
  EXPECT_EQ(cells[3], (Blit{196, 50, 3, 12, 47, 10}));
  EXPECT_EQ(cells[5].dx, 51 + 9);
}

TEST(SetDD, AlphanumericGridCoversEveryCharacter) {
  DigitRecord grid;
  grid.w = 5, grid.h = 7, grid.d1 = 1, grid.style = 1;
  const auto cell = [&](char c) {
    DigitBlits out;
    LayoutDigitCells(grid, std::string_view(&c, 1), 0, 0, out);
    EXPECT_EQ(out.count, 1u);
    return std::pair{out.cells[0].sy / 7, out.cells[0].sx / 5};
  };
  using Cell = std::pair<int, int>;
  EXPECT_EQ(cell('A'), (Cell{0, 0}));
  EXPECT_EQ(cell('z'), (Cell{0, 25}));  // upper-cased first
  EXPECT_EQ(cell('0'), (Cell{1, 0}));
  EXPECT_EQ(cell('9'), (Cell{1, 9}));
  const std::string signs = ":()-'!_+\\/[]^&%.=$#";
  for (std::size_t i = 0; i < signs.size(); ++i)
    EXPECT_EQ(cell(signs[i]), (Cell{1, 12 + static_cast<int>(i)})) << signs[i];
  EXPECT_EQ(cell('?'), (Cell{2, 3}));
  EXPECT_EQ(cell('*'), (Cell{2, 4}));
  EXPECT_EQ(cell('@'), (Cell{0, 8}));
  EXPECT_EQ(cell('"'), (Cell{0, 27}));
  EXPECT_EQ(cell(' '), (Cell{0, 29}));
  EXPECT_EQ(cell('~'), (Cell{0, 29}));
  EXPECT_EQ(cell(','), (Cell{0, 29}));
  EXPECT_EQ(cell('\xE9'), (Cell{0, 29}));

  DisplayForm d(6, 4, 1);
  DigitRecord& rec = d.form.tables.digits[6];
  rec.sx = 0, rec.sy = 0, rec.w = 5, rec.h = 7, rec.d2 = 0;
  // Exactly |style| cells: long texts are cut, short ones padded with blanks.
  d.Set(6, "abcdefg");
  std::vector<Blit> cells = d.Cells(6);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[3], (Blit{15, 0, 5, 7, 35, 10}));  // "D", four cells along
  d.Set(6, "ab");
  cells = d.Cells(6);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[2].sx, 29 * 5);
  EXPECT_EQ(cells[3].sx, 29 * 5);
  rec.style = -3;  // fixed digits on the grid: the rightmost three
  d.Set(6, 1234);
  cells = d.Cells(6);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0], (Blit{10, 7, 5, 7, 20, 10}));
}

TEST(SetDD, ClockDisplaysAndHiddenDisplays) {
  DisplayForm d(11, 1, 0);
  d.clock.now.hour = 14, d.clock.now.minute = 7;
  d.Set(11, 0, true);
  EXPECT_EQ(d.form.lbl[9].caption, "PM");
  EXPECT_EQ(d.Cells(11).size(), 5u);
  EXPECT_EQ(d.Cells(11)[0].sx, 100 + 10 * 8);  // " 2:07"
  EXPECT_EQ(d.notes.back(), kChangeWidgets | kChangeDigits);

  d.form.dig[11].visible = false;
  d.form.lbl[9].caption = "x";
  d.notes.clear();
  d.clock.now.hour = 3;
  d.Set(11, 0, true);
  EXPECT_EQ(d.form.lbl[9].caption, "x");
  EXPECT_EQ(d.Cells(11)[1].sx, 100 + 2 * 8);  // still the "2" of before
  EXPECT_TRUE(d.notes.empty());

  d.Set(0, 5);
  d.Set(14, 5);
  EXPECT_TRUE(d.notes.empty());
  ClearDigitCells(d.form);
  EXPECT_TRUE(d.Cells(11).empty());
}

}  // namespace
}  // namespace varlo
