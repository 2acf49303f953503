#include "desk/clock_text.h"

#include <gtest/gtest.h>

#include "desk/stopwatch.h"

namespace varlo {
namespace {

LocalTime At(int y, int mo, int d, int h = 0, int mi = 0) {
  LocalTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi;
  return t;
}

TEST(ClockText, DayTextsAndLettersFollowTheCalendar) {
  const DayTexts wed = MakeDayStr(At(2000, 1, 5));
  EXPECT_EQ(wed.date, "Wed Jan  5, 2000");
  EXPECT_EQ(wed.dayName, "Wed");
  EXPECT_EQ(wed.letter, 'W');
  const DayTexts sun = MakeDayStr(At(2026, 12, 13));
  EXPECT_EQ(sun.dayName, "Sun");
  EXPECT_EQ(sun.letter, 'U');
  EXPECT_EQ(MakeDayStr(At(2026, 12, 10)).letter, 'R');
  // Leap day and the turn of a century that is not a leap year.
  EXPECT_EQ(MakeDayStr(At(2024, 2, 29)).date, "Thu Feb  29, 2024");
  EXPECT_EQ(DayNumber(1900, 3, 1) - DayNumber(1900, 2, 28), 1);
  EXPECT_EQ(DayNumber(1970, 1, 1), 0);
  EXPECT_EQ(WeekdayOfDay(-1), 3);  // 31 December 1969, a Wednesday
}

TEST(ClockText, TwelveHourClockUsesTwelveForMidnightAndNoon) {
  EXPECT_EQ(ClockLabelText(At(2026, 1, 1, 0, 30), 0), "12:30 AM");
  EXPECT_EQ(ClockLabelText(At(2026, 1, 1, 12, 5), 0), "12:05 PM");
  EXPECT_EQ(ClockLabelText(At(2026, 1, 1, 13, 5), 0), "01:05 PM");
  EXPECT_EQ(ClockLabelText(At(2026, 1, 1, 11, 59), 0), "11:59 AM");
  EXPECT_EQ(ClockLabelText(At(2026, 1, 1, 13, 5), 1), "13:05   ");
  EXPECT_EQ(ClockLabelText(At(2026, 1, 1, 0, 0), 1), "00:00   ");
}

TEST(ClockText, OnlyWellFormedTimesOfDayParse) {
  EXPECT_EQ(ParseMinuteOfDay("00:00"), 0);
  EXPECT_EQ(ParseMinuteOfDay("23:59"), 1439);
  EXPECT_EQ(ParseMinuteOfDay("24:00"), -1);
  EXPECT_EQ(ParseMinuteOfDay("7:30 "), -1);
  EXPECT_EQ(ParseMinuteOfDay("07:60"), -1);
  EXPECT_EQ(ParseMinuteOfDay(""), -1);
}

TEST(Stopwatches, MeasureSteadyTimeAcrossStopsAndHundredsOfHours) {
  Stopwatches w;
  w.Toggle(0, 1000);
  EXPECT_EQ(w.Text(0, 62'999), "00:01:01");
  w.Toggle(0, 63'000);  // stopped at 62 s
  EXPECT_EQ(w.Text(0, 500'000), "00:01:02");
  w.Toggle(0, 600'000);
  EXPECT_EQ(w.ElapsedSeconds(0, 601'000), 63);
  // 100 hours show three hour digits; hours beyond 16 bits do not wrap.
  w.ResetTime(0, 0);
  EXPECT_EQ(w.Text(0, 360'000'000), "100:00:00");
  EXPECT_EQ(w.ElapsedSeconds(0, 40'000LL * 3'600'000), 40'000LL * 3600);
  // A reading before the start counts nothing.
  EXPECT_EQ(w.ElapsedSeconds(0, -5), 0);
}

TEST(Stopwatches, SelectionWrapsAndLapMovesToTheNextTimer) {
  Stopwatches w;
  for (int i = 0; i < 10; ++i) w.SelectNext();
  EXPECT_EQ(w.Current(), 0);
  w.SelectPrevious();
  EXPECT_EQ(w.Current(), 9);
  w.Toggle(9, 0);
  w.Lap(5000);
  EXPECT_EQ(w.Current(), 0);
  EXPECT_FALSE(w.Running(9));
  EXPECT_TRUE(w.Running(0));
  EXPECT_EQ(w.ElapsedSeconds(9, 9000), 5);
  EXPECT_EQ(w.ElapsedSeconds(0, 9000), 4);
}

}  // namespace
}  // namespace varlo
