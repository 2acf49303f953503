#include "desk/clock_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_form.h"
#include "tests/support/fakes.h"

namespace varlo {
namespace {

using testing::FakeClock;
using testing::FakeForm;

// What the clock switched, in order.
struct Switches : WindowPresence, RadioSwitch, PlayerSwitch, StreamSwitch {
  std::vector<std::string> log;
  void ShowWindow() override { log.push_back("show"); }
  void MinimiseWindow() override { log.push_back("minimise"); }
  void RadioOn(int preset) override { log.push_back("radio " + std::to_string(preset)); }
  void RadioOff() override { log.push_back("radio off"); }
  void PlayEntry(int entry) override { log.push_back("play " + std::to_string(entry)); }
  void StopPlaying() override { log.push_back("stop"); }
  void StopStream() override { log.push_back("stream off"); }
};

class ClockModeTest : public ::testing::Test {
 protected:
  ClockModeTest() { settings.timeFmt = 1; }

  // Local time and a UTC second count that moves with it unless a test says otherwise.
  void Set(int y, int mo, int d, int h, int mi, int s = 0) {
    clock.now.year = y, clock.now.month = mo, clock.now.day = d;
    clock.now.hour = h, clock.now.minute = mi, clock.now.second = s;
    clock.now.weekday = WeekdayOfDay(DayNumber(y, mo, d));
  }
  // One tick of the second step, `realSeconds` after the previous one.
  void Tick(int y, int mo, int d, int h, int mi, int s, std::int64_t realSeconds) {
    Set(y, mo, d, h, mi, s);
    clock.utc += realSeconds;
    clock.steady += realSeconds * 1000;
    mode.SecondStep();
  }
  void Load(int y, int mo, int d, int h, int mi, int s = 0) {
    Set(y, mo, d, h, mi, s);
    mode.Load();
  }

  FakeForm form;
  AppSettings settings;
  FakeClock clock;
  std::vector<std::string> schedule;
  Switches links;
  ClockMode mode{form, settings, clock, schedule, ClockLinks{links, links, links, links}};
};

TEST_F(ClockModeTest, LoadShowsTimeDateAndTimerOne) {
  settings.timeFmt = 0;
  Load(2026, 12, 13, 0, 30);
  EXPECT_EQ(form.Caption(kClockLabel), "12:30 AM");
  EXPECT_EQ(form.Caption(kDateLabel), "Sun Dec  13, 2026");
  EXPECT_EQ(form.Caption(kDayLabel), "Sun");
  EXPECT_EQ(form.Caption(kTimerNumberLabel), " 1");
  EXPECT_EQ(form.Caption(31), "00:00:00");
  EXPECT_EQ(form.Caption(kCurrentTimerLabel), "00:00:00");
}

TEST_F(ClockModeTest, TimerCommandsAndLabelsDriveTheStopwatches) {
  Load(2026, 12, 14, 9, 0);
  for (int i = 0; i < 10; ++i) mode.DoIt(70);  // next, ten times
  EXPECT_EQ(form.Caption(kTimerNumberLabel), " 1");
  mode.DoIt(71);  // previous: timer 10
  EXPECT_EQ(form.Caption(kTimerNumberLabel), " 10");
  mode.DoIt(72);  // start timer 10
  Tick(2026, 12, 14, 9, 1, 5, 65);
  EXPECT_EQ(form.Caption(40), "00:01:05");
  EXPECT_EQ(form.Caption(kCurrentTimerLabel), "00:01:05");
  mode.DoIt(73);  // reset the current one; it keeps running
  Tick(2026, 12, 14, 9, 1, 7, 2);
  EXPECT_EQ(form.Caption(40), "00:00:02");
  mode.DoIt(74);  // lap from timer 10 goes to timer 1
  EXPECT_EQ(form.Caption(kTimerNumberLabel), " 1");
  EXPECT_TRUE(mode.Timers().Running(0));
  EXPECT_FALSE(mode.Timers().Running(9));
  mode.LabelClicked(35);  // starts timer 5
  EXPECT_TRUE(mode.Timers().Running(4));
  mode.LabelClicked(kCurrentTimerLabel);  // stops timer 1
  EXPECT_FALSE(mode.Timers().Running(0));
  mode.DoIt(75);  // reset all
  EXPECT_FALSE(mode.Timers().Running(4));
  EXPECT_EQ(form.Caption(35), "00:00:00");
}

TEST_F(ClockModeTest, SwitchOnPlaysTheRadioOrThePlaylistAndSwitchOffStops) {
  settings.autoSchedule = 1;
  schedule = {"E 07:00 07:30 03"};
  Load(2026, 12, 14, 6, 59, 58);
  Tick(2026, 12, 14, 7, 0, 0, 2);
  EXPECT_EQ(links.log, (std::vector<std::string>{"show", "play 3"}));
  links.log.clear();
  Tick(2026, 12, 14, 7, 30, 0, 1800);
  // Every source stops, the internet radio too; SnoozeHide off: no minimising.
  EXPECT_EQ(links.log, (std::vector<std::string>{"stop", "stream off"}));

  settings.fmEnable = 1;
  settings.snoozeHide = 1;
  links.log.clear();
  Tick(2026, 12, 15, 7, 0, 0, 86400 - 1800);
  EXPECT_EQ(links.log, (std::vector<std::string>{"show", "radio 3"}));
  links.log.clear();
  Tick(2026, 12, 15, 7, 30, 0, 1800);
  EXPECT_EQ(links.log, (std::vector<std::string>{"radio off", "stop", "stream off", "minimise"}));
}

TEST_F(ClockModeTest, ASuspendedMinuteDoesNotSkipTheSwitchOff) {
  settings.autoSchedule = 1;
  schedule = {"E 22:00 23:00 01"};
  Load(2026, 12, 14, 22, 59, 58);
  // The next tick comes three seconds later: second 00 never shows.
  Tick(2026, 12, 14, 23, 0, 1, 3);
  EXPECT_EQ(links.log, (std::vector<std::string>{"stop", "stream off"}));
  EXPECT_EQ(form.Caption(kClockLabel), "23:00   ");
}

TEST_F(ClockModeTest, AMissedMidnightChangesTheDateBeforeTheSchedule) {
  settings.autoSchedule = 1;
  schedule = {"U 00:00 00:01 01", "M 00:00 00:01 02"};
  Load(2026, 12, 13, 23, 59, 59);  // Sunday
  Tick(2026, 12, 14, 0, 0, 2, 3);  // Monday, no "00:00:00" tick
  EXPECT_EQ(form.Caption(kDayLabel), "Mon");
  EXPECT_EQ(mode.Day().letter, 'M');
  EXPECT_EQ(links.log, (std::vector<std::string>{"show", "play 2"}));
}

TEST_F(ClockModeTest, DaylightSavingNeitherSkipsNorDoublesAnEvent) {
  settings.autoSchedule = 1;
  schedule = {"E 02:30 04:00 01"};
  // Spring forward: 01:59 is followed by 03:00, one real minute later; 02:30 never shows.
  Load(2026, 3, 29, 1, 59);
  Tick(2026, 3, 29, 3, 0, 0, 60);
  Tick(2026, 3, 29, 3, 1, 0, 60);
  EXPECT_EQ(links.log, (std::vector<std::string>{"show", "play 1"}));
  // Fall back: 02:30 passes, then the clock returns from 02:59 to 02:00 and shows 02:30 again.
  Tick(2026, 10, 25, 2, 29, 0, 0);
  links.log.clear();
  Tick(2026, 10, 25, 2, 30, 0, 60);
  Tick(2026, 10, 25, 2, 59, 0, 29 * 60);
  Tick(2026, 10, 25, 2, 0, 0, 60);
  Tick(2026, 10, 25, 2, 30, 0, 30 * 60);
  Tick(2026, 10, 25, 3, 0, 0, 30 * 60);
  Tick(2026, 10, 25, 4, 0, 0, 60 * 60);
  EXPECT_EQ(links.log, (std::vector<std::string>{"show", "play 1", "stop", "stream off"}));
}

TEST_F(ClockModeTest, BackToBackEntriesHandOverInsteadOfFallingSilent) {
  settings.autoSchedule = 1;
  schedule = {"E 06:00 07:00 01", "E 07:00 08:00 02"};
  Load(2026, 12, 14, 6, 59, 58);
  Tick(2026, 12, 14, 7, 0, 0, 2);
  EXPECT_EQ(links.log, (std::vector<std::string>{"stop", "stream off", "show", "play 2"}));
}

TEST_F(ClockModeTest, AClockSetBackRunsWhatItHasNotReallyReachedYet) {
  settings.autoSchedule = 1;
  settings.snooze = 1;
  settings.snoozeMode = 1;
  settings.snoozeTime = "08:30";
  schedule = {"E 07:00 09:00 04", "E 08:00 08:15 01"};
  // The clock ran three hours fast: it showed 10:00 and its minutes up to 10:05 went by.
  Load(2026, 12, 14, 10, 0);
  Tick(2026, 12, 14, 10, 5, 0, 300);
  EXPECT_TRUE(links.log.empty());
  // Corrected: local and UTC time both go back three hours, to 07:05:30.
  clock.utc -= 3 * 3600 - 30;
  Tick(2026, 12, 14, 7, 5, 30, 0);
  EXPECT_TRUE(links.log.empty());  // 07:00 to 07:05 were handled when the clock showed them
  Tick(2026, 12, 14, 8, 0, 0, 3270);
  EXPECT_EQ(links.log, (std::vector<std::string>{"show", "play 1"}));
  links.log.clear();
  Tick(2026, 12, 14, 8, 15, 0, 900);
  Tick(2026, 12, 14, 8, 30, 0, 900);
  EXPECT_EQ(links.log, (std::vector<std::string>{"stop", "stream off", "stop", "stream off"}));
  EXPECT_EQ(settings.snooze, 0);
}

TEST_F(ClockModeTest, SnoozeCountsDownFromTheChosenMinutes) {
  settings.snoozeMode = 0;
  settings.snoozeHide = 1;
  clock.utc = 30;  // half a minute into a minute, as the wall clock
  Load(2026, 12, 14, 23, 57, 30);
  mode.ChooseSnoozeMinutes(5);
  mode.SetSnoozeEnabled(true);
  EXPECT_EQ(form.Caption(kSnoozeLabel), "05");
  // Four minute changes, across midnight.
  Tick(2026, 12, 14, 23, 58, 0, 30);
  Tick(2026, 12, 14, 23, 59, 0, 60);
  Tick(2026, 12, 15, 0, 0, 0, 60);
  Tick(2026, 12, 15, 0, 1, 0, 60);
  EXPECT_EQ(form.Caption(kSnoozeLabel), "01");
  EXPECT_TRUE(links.log.empty());
  mode.ChooseSnoozeMinutes(30);  // the preferences opening again
  Tick(2026, 12, 15, 0, 2, 0, 60);
  EXPECT_EQ(links.log, (std::vector<std::string>{"stop", "stream off", "minimise"}));
  EXPECT_EQ(settings.snooze, 0);
  EXPECT_EQ(form.Caption(kSnoozeLabel), "00");
}

TEST_F(ClockModeTest, SnoozeOverADaylightSavingChangeCountsRealMinutes) {
  mode.ChooseSnoozeMinutes(10);
  Load(2026, 3, 29, 1, 55);
  mode.SetSnoozeEnabled(true);
  Tick(2026, 3, 29, 3, 0, 0, 5 * 60);  // an hour of wall time, five real minutes
  EXPECT_EQ(settings.snooze, 1);
  EXPECT_EQ(form.Caption(kSnoozeLabel), "05");
}

TEST_F(ClockModeTest, ASnoozeFlagWithoutACountIsClearedNotFired) {
  settings.snooze = 1;
  settings.snoozeMode = 0;
  Load(2026, 12, 14, 8, 0);
  EXPECT_EQ(settings.snooze, 0);
  Tick(2026, 12, 14, 8, 1, 0, 60);
  EXPECT_TRUE(links.log.empty());
}

TEST_F(ClockModeTest, SnoozeAtASetTimeFiresOnceEvenWhenTheTickIsLate) {
  settings.snooze = 1;
  settings.snoozeMode = 1;
  settings.snoozeTime = "00:00";
  Load(2026, 12, 13, 23, 59, 58);
  Tick(2026, 12, 14, 0, 0, 3, 5);
  EXPECT_EQ(links.log, (std::vector<std::string>{"stop", "stream off"}));
  EXPECT_EQ(settings.snooze, 0);
  Tick(2026, 12, 15, 0, 0, 0, 86400);
  EXPECT_EQ(links.log.size(), 2u);
}

}  // namespace
}  // namespace varlo
