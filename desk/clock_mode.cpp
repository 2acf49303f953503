#include "desk/clock_mode.h"

#include <algorithm>
#include <cstdio>

#include "common/numtext.h"
#include "desk/schedule.h"

namespace varlo {

ClockMode::ClockMode(FormAccess& form, AppSettings& settings, const IClock& clock,
                     const std::vector<std::string>& schedule, ClockLinks links)
    : form_(form), settings_(settings), clock_(clock), schedule_(schedule), links_(links) {}

void ClockMode::Load() {
  const LocalTime now = clock_.Now();
  ShowDay();
  TimerFn(0);
  checkedMinute_ = WallMinute(now);
  checkedAtUtc_ = UtcMinute();
  shownMinute_ = checkedMinute_;
  form_.SetCaption(kClockLabel, ClockLabelText(now, settings_.timeFmt));
  // The minute count of a countdown is not kept across a restart: a "Snooze" left on in that
  // mode is cleared with it rather than firing at once with nothing left.
  if (settings_.snooze == 1 && settings_.snoozeMode == 0 && !snooze_.Start(clock_.UtcSeconds()))
    settings_.snooze = 0;
  ShowTimers();
}

void ClockMode::DoIt(int code) {
  if (code >= 70 && code <= 75) TimerFn(code - 69);
}

void ClockMode::TimerFn(int function) {
  const std::int64_t ms = clock_.SteadyMs();
  switch (function) {
    case 0:
    case 6:
      timers_.ResetAll();
      break;
    case 1:
      timers_.SelectNext();
      break;
    case 2:
      timers_.SelectPrevious();
      break;
    case 3:
      timers_.Toggle(timers_.Current(), ms);
      break;
    case 4:
      timers_.ResetTime(timers_.Current(), ms);
      break;
    case 5:
      timers_.Lap(ms);
      break;
    default:
      break;
  }
  form_.SetCaption(kTimerNumberLabel, NumToText(timers_.Current() + 1));
  ShowTimers();
}

void ClockMode::LabelClicked(int label) {
  const std::int64_t ms = clock_.SteadyMs();
  if (label == kTimerNumberLabel) {
    timers_.ResetTime(timers_.Current(), ms);
  } else if (label == kCurrentTimerLabel) {
    timers_.Toggle(timers_.Current(), ms);
  } else if (label >= kFirstTimerLabel && label < kFirstTimerLabel + Stopwatches::kCount) {
    timers_.Toggle(label - kFirstTimerLabel, ms);
  } else {
    return;
  }
  ShowTimers();
}

void ClockMode::SecondStep() {
  const LocalTime now = clock_.Now();
  // Any change of the minute, also one the ticks jumped over.
  if (WallMinute(now) != shownMinute_) MinuteWork(now);
  form_.SetDD(kClockDisplay, 0);
  ShowTimers();
}

void ClockMode::Paint() {
  const LocalTime now = clock_.Now();
  form_.SetCaption(kClockLabel, ClockLabelText(now, settings_.timeFmt));
  form_.SetCaption(kDateLabel, day_.date);
  form_.SetCaption(kDayLabel, day_.dayName);
  form_.SetCaption(kTimerNumberLabel, NumToText(timers_.Current() + 1));
  form_.SetDD(kClockDisplay, 0);
  ShowTimers();
}

std::int64_t ClockMode::UtcMinute() const {
  const std::int64_t s = clock_.UtcSeconds();
  return s >= 0 ? s / 60 : -((-s + 59) / 60);
}

void ClockMode::MinuteWork(const LocalTime& now) {
  const std::int64_t minute = WallMinute(now);
  const std::int64_t utc = UtcMinute();
  shownMinute_ = minute;
  // The clock itself was set back (a fast clock corrected): the minutes the guard took in at
  // instants that have not come yet were never really reached, so it lets them run again.
  if (utc < checkedAtUtc_) {
    checkedMinute_ -= checkedAtUtc_ - utc;
    checkedAtUtc_ = utc;
  }
  form_.SetCaption(kClockLabel, ClockLabelText(now, settings_.timeFmt));
  // The date texts follow the date itself, so a midnight the ticks missed still changes them,
  // and before the schedule, which judges today by them.
  if (DayNumber(now.year, now.month, now.day) != dayNumber_) ShowDay();
  if (settings_.autoSchedule == 1) RunSchedule(minute);
  if (settings_.snooze == 1) RunSnooze(minute);
  // Only the wall time may go back while real time goes on (the repeated hour when daylight
  // saving ends): the guard keeps the latest minute handled, so no event of that hour runs
  // twice.
  if (minute > checkedMinute_) {
    checkedMinute_ = minute;
    checkedAtUtc_ = utc;
  }
}

void ClockMode::ShowDay() {
  const LocalTime now = clock_.Now();
  day_ = MakeDayStr(now);
  dayNumber_ = DayNumber(now.year, now.month, now.day);
  form_.SetCaption(kDateLabel, day_.date);
  form_.SetCaption(kDayLabel, day_.dayName);
}

void ClockMode::ShowTimers() {
  const std::int64_t ms = clock_.SteadyMs();
  for (int i = 0; i < Stopwatches::kCount; ++i)
    form_.SetCaption(kFirstTimerLabel + i, timers_.Text(i, ms));
  form_.SetCaption(kCurrentTimerLabel, form_.Caption(kFirstTimerLabel + timers_.Current()));
}

void ClockMode::RunSchedule(std::int64_t wallMinute) {
  for (const ScheduleEvent& e : DueEvents(schedule_, checkedMinute_, wallMinute)) {
    if (e.on)
      SwitchOn(e.preset);
    else
      SwitchOff();
  }
}

void ClockMode::RunSnooze(std::int64_t wallMinute) {
  bool fire = false;
  if (settings_.snoozeMode == 0) {
    // A count of 0 never runs: "Snooze" on without a countdown is switched off unfired.
    if (!snooze_.Counting() && !snooze_.Start(clock_.UtcSeconds())) {
      settings_.snooze = 0;
      return;
    }
    fire = snooze_.CountDown(clock_.UtcSeconds());
    form_.SetCaption(kSnoozeLabel, FormatFixed(snooze_.Left(), 2, 0));
  } else {
    fire = SnoozeTimeReached(settings_.snoozeTime, checkedMinute_, wallMinute);
  }
  if (!fire) return;
  settings_.snooze = 0;
  snooze_.Stop();
  SwitchOff();
}

void ClockMode::SetSnoozeEnabled(bool enabled) {
  settings_.snooze = enabled ? 1 : 0;
  if (!enabled) return snooze_.Stop();
  if (settings_.snoozeMode == 0 && !snooze_.Counting()) {
    if (!snooze_.Start(clock_.UtcSeconds())) settings_.snooze = 0;
    form_.SetCaption(kSnoozeLabel, FormatFixed(snooze_.Left(), 2, 0));
  }
}

void ClockMode::SwitchOn(int preset) {
  links_.window.ShowWindow();
  if (settings_.fmEnable == 1)
    links_.radio.RadioOn(preset);
  else
    links_.player.PlayEntry(preset);
}

void ClockMode::SwitchOff() {
  // Every source goes quiet, whichever was switched on and whatever the user started since.
  if (settings_.fmEnable == 1) links_.radio.RadioOff();
  links_.player.StopPlaying();
  links_.stream.StopStream();
  if (settings_.snoozeHide == 1) links_.window.MinimiseWindow();
}

}  // namespace varlo
