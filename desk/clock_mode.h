#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "desk/clock_links.h"
#include "desk/clock_text.h"
#include "desk/snooze.h"
#include "desk/stopwatch.h"
#include "platform/clock.h"
#include "shell/mode.h"
#include "skin/form_access.h"

namespace varlo {

// Labels and displays the clock writes.
inline constexpr int kClockLabel = 3;    // the time
inline constexpr int kClockDisplay = 3;  // a digit display with a clock style
inline constexpr int kDateLabel = 6;     // "Wed Jan  5, 2000"
inline constexpr int kDayLabel = 7;      // "Wed"
inline constexpr int kSnoozeLabel = 29;  // minutes left of the sleep timer (8 is the mute caption)
inline constexpr int kTimerNumberLabel = 28;
inline constexpr int kCurrentTimerLabel = 30;
inline constexpr int kFirstTimerLabel = 31;  // 31-40: timers 1-10

// The clock as a mode of the main window: the time and date labels, the ten stopwatches
// (commands 70-75, labels 28 and 30-40), the weekly on/off schedule and the sleep timer. All
// wall time comes from the clock interface and the stopwatches from its steady clock, so a
// test can stand at any instant. The minute work runs at the first tick of each new minute,
// however late that tick comes.
class ClockMode final : public Mode {
 public:
  ClockMode(FormAccess& form, AppSettings& settings, const IClock& clock,
            const std::vector<std::string>& schedule, ClockLinks links);

  void Load() override;
  void DoIt(int code) override;
  void SecondStep() override;
  void Paint() override;
  void LabelClicked(int label) override;

  // The stopwatch functions (commands 70-75 are 1-6): 0 and 6 reset all, 1 next, 2 previous,
  // 3 start/stop, 4 reset the current one, 5 lap; every call shows the selected timer's number.
  void TimerFn(int function);

  // The preferences' sleep-timer controls: the minute count a countdown starts with, and the
  // "Snooze" check box. Enabling starts the countdown (mode 0) unless one already runs;
  // choosing a count while one runs leaves it running.
  void ChooseSnoozeMinutes(int minutes) { snooze_.ChooseMinutes(minutes); }
  void SetSnoozeEnabled(bool enabled);

  const DayTexts& Day() const { return day_; }
  const Stopwatches& Timers() const { return timers_; }
  const Snooze& SleepTimer() const { return snooze_; }

 private:
  void MinuteWork(const LocalTime& now);
  std::int64_t UtcMinute() const;
  void ShowDay();
  void ShowTimers();
  void RunSchedule(std::int64_t wallMinute);
  void RunSnooze(std::int64_t wallMinute);
  void SwitchOn(int preset);
  void SwitchOff();

  FormAccess& form_;
  AppSettings& settings_;
  const IClock& clock_;
  const std::vector<std::string>& schedule_;
  ClockLinks links_;
  DayTexts day_;
  std::int64_t dayNumber_ = 0;      // the date the day texts belong to
  std::int64_t checkedMinute_ = 0;  // the latest wall minute the schedule has handled
  std::int64_t checkedAtUtc_ = 0;   // the real (UTC) minute it was handled at
  std::int64_t shownMinute_ = -1;   // the wall minute of the last minute work
  Stopwatches timers_;
  Snooze snooze_;
};

}  // namespace varlo
