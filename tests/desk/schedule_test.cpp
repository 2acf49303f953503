#include "desk/schedule.h"

#include <gtest/gtest.h>

#include "desk/clock_text.h"
#include "desk/snooze.h"

namespace varlo {
namespace {

std::int64_t M(int y, int mo, int d, int h, int mi) {
  return DayNumber(y, mo, d) * 1440 + h * 60 + mi;
}

// 2026-12-13 is a Sunday, 2026-12-14 a Monday.
TEST(Schedule, EntriesParseByColumn) {
  const ScheduleEntry e = ParseScheduleEntry("D 07:15 08:30 04");
  EXPECT_EQ(e.day, 'D');
  EXPECT_EQ(e.onMinute, 435);
  EXPECT_EQ(e.offMinute, 510);
  EXPECT_EQ(e.preset, 4);
  EXPECT_EQ(ParseScheduleEntry("E 07:15 24:00 xx").offMinute, -1);
  EXPECT_EQ(ParseScheduleEntry("E 07:15 24:00 xx").preset, 0);
  EXPECT_EQ(ParseScheduleEntry("E 7:15").onMinute, -1);
  EXPECT_EQ(ParseScheduleEntry("").day, ' ');
}

TEST(Schedule, DayLettersGroupWeekdaysAndWeekends) {
  for (char d : std::string("MTWRF")) {
    EXPECT_TRUE(AppliesOn('D', d));
    EXPECT_FALSE(AppliesOn('N', d));
  }
  EXPECT_TRUE(AppliesOn('N', 'S'));
  EXPECT_TRUE(AppliesOn('N', 'U'));
  EXPECT_FALSE(AppliesOn('D', 'U'));
  EXPECT_TRUE(AppliesOn('E', 'U'));
  EXPECT_TRUE(AppliesOn('R', 'R'));
  EXPECT_FALSE(AppliesOn('T', 'R'));
}

TEST(Schedule, AnEventFiresOnceWhenItsMinuteIsReached) {
  const std::vector<std::string> list{"E 07:00 07:30 03"};
  EXPECT_TRUE(DueEvents(list, M(2026, 12, 14, 6, 58), M(2026, 12, 14, 6, 59)).empty());
  const auto on = DueEvents(list, M(2026, 12, 14, 6, 59), M(2026, 12, 14, 7, 0));
  ASSERT_EQ(on.size(), 1u);
  EXPECT_TRUE(on[0].on);
  EXPECT_EQ(on[0].preset, 3);
  EXPECT_TRUE(DueEvents(list, M(2026, 12, 14, 7, 0), M(2026, 12, 14, 7, 1)).empty());
}

TEST(Schedule, ALateCheckStillSwitchesOffAndEndsInTheLatestState) {
  const std::vector<std::string> list{"E 22:00 23:00 01", "E 07:00 08:00 02"};
  // The tick that should have seen 23:00 came at 23:03.
  auto due = DueEvents(list, M(2026, 12, 14, 22, 59), M(2026, 12, 14, 23, 3));
  ASSERT_EQ(due.size(), 1u);
  EXPECT_FALSE(due[0].on);
  // Asleep from 22:30 to 07:10 next morning: the 23:00 off is overtaken by the 07:00 on.
  due = DueEvents(list, M(2026, 12, 14, 22, 30), M(2026, 12, 15, 7, 10));
  ASSERT_EQ(due.size(), 1u);
  EXPECT_TRUE(due[0].on);
  EXPECT_EQ(due[0].preset, 2);
  // A week away looks back one day only and finds the 23:00 off of the day before.
  due = DueEvents(list, M(2026, 12, 1, 12, 0), M(2026, 12, 14, 6, 0));
  ASSERT_EQ(due.size(), 1u);
  EXPECT_FALSE(due[0].on);
}

TEST(Schedule, AMissedMidnightJudgesEachDayByItsOwnWeekday) {
  // Weekend-only alarm at 00:05; the check spans Sunday 23:58 to Monday 00:10.
  EXPECT_TRUE(
      DueEvents({"N 00:05 00:06 01"}, M(2026, 12, 13, 23, 58), M(2026, 12, 14, 0, 10)).empty());
  // A Sunday-night off at 23:59 missed until Monday 00:02 still runs.
  const auto due = DueEvents({"U 23:00 23:59 01"}, M(2026, 12, 13, 23, 58), M(2026, 12, 14, 0, 2));
  ASSERT_EQ(due.size(), 1u);
  EXPECT_FALSE(due[0].on);
  // A Monday entry at 00:00 fires when Monday is reached from Sunday.
  EXPECT_EQ(DueEvents({"M 00:00 01:00 01"}, M(2026, 12, 13, 23, 59), M(2026, 12, 14, 0, 0)).size(),
            1u);
}

TEST(Schedule, AMinutesOffEventsRunBeforeItsOnEvents) {
  // Back to back: preset 1 ends as preset 2 begins, and preset 2 is what plays after 07:00.
  const std::vector<std::string> list{"E 06:00 07:00 01", "E 07:00 08:00 02"};
  auto due = DueEvents(list, M(2026, 12, 14, 6, 59), M(2026, 12, 14, 7, 0));
  ASSERT_EQ(due.size(), 2u);
  EXPECT_FALSE(due[0].on);
  EXPECT_TRUE(due[1].on);
  EXPECT_EQ(due[1].preset, 2);
  // The same in the other list order, and for one entry whose times are equal.
  due = DueEvents({list[1], list[0]}, M(2026, 12, 14, 6, 59), M(2026, 12, 14, 7, 0));
  ASSERT_EQ(due.size(), 2u);
  EXPECT_FALSE(due[0].on);
  EXPECT_TRUE(due[1].on);
  due = DueEvents({"E 07:00 07:00 05"}, M(2026, 12, 14, 6, 59), M(2026, 12, 14, 7, 0));
  ASSERT_EQ(due.size(), 2u);
  EXPECT_FALSE(due[0].on);
  EXPECT_TRUE(due[1].on);
}

TEST(Snooze, CountsRealMinutesAndFiresAtTheLastOne) {
  Snooze s;
  EXPECT_FALSE(s.Start(0));  // nothing chosen: nothing to count
  s.ChooseMinutes(5);
  ASSERT_TRUE(s.Start(30));
  for (int m = 1; m <= 4; ++m) {
    EXPECT_FALSE(s.CountDown(m * 60));
    EXPECT_EQ(s.Left(), 5 - m);
  }
  EXPECT_TRUE(s.CountDown(5 * 60));  // the fifth minute change
  EXPECT_FALSE(s.Counting());
  EXPECT_FALSE(s.CountDown(6 * 60));
}

TEST(Snooze, SleepCountsAndAClockSetBackDoesNot) {
  Snooze s;
  s.ChooseMinutes(30);
  s.Start(0);
  EXPECT_FALSE(s.CountDown(-3600));  // set back an hour: nothing passes
  EXPECT_FALSE(s.CountDown(-3600 + 60 * 10));
  EXPECT_EQ(s.Left(), 20);
  EXPECT_TRUE(s.CountDown(-3600 + 60 * 50));  // slept through the rest
  // Choosing a count while a countdown runs leaves it alone.
  s.ChooseMinutes(10);
  s.Start(0);
  s.ChooseMinutes(60);
  s.CountDown(60);
  EXPECT_EQ(s.Left(), 9);
}

TEST(Snooze, SetTimeFiresOnceAcrossMidnightAndLateChecks) {
  EXPECT_TRUE(SnoozeTimeReached("00:00", M(2026, 12, 13, 23, 59), M(2026, 12, 14, 0, 0)));
  EXPECT_TRUE(SnoozeTimeReached("23:59", M(2026, 12, 13, 23, 50), M(2026, 12, 14, 0, 20)));
  EXPECT_FALSE(SnoozeTimeReached("23:59", M(2026, 12, 14, 0, 0), M(2026, 12, 14, 0, 1)));
  EXPECT_FALSE(SnoozeTimeReached("12:00", M(2026, 12, 14, 12, 0), M(2026, 12, 14, 12, 0)));
  EXPECT_FALSE(SnoozeTimeReached("1200", M(2026, 12, 14, 11, 0), M(2026, 12, 14, 13, 0)));
}

}  // namespace
}  // namespace varlo
