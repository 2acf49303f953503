#include "desk/snooze.h"

#include <algorithm>

#include "desk/clock_text.h"

namespace varlo {

bool Snooze::Start(std::int64_t utcSeconds) {
  counting_ = chosen_ > 0;
  left_ = chosen_;
  lastMinute_ = MinuteOf(utcSeconds);
  return counting_;
}

bool Snooze::CountDown(std::int64_t utcSeconds) {
  if (!counting_) return false;
  const std::int64_t minute = MinuteOf(utcSeconds);
  const std::int64_t passed = minute - lastMinute_;
  if (passed <= 0) {
    lastMinute_ = std::min(lastMinute_, minute);
    return false;
  }
  lastMinute_ = minute;
  left_ = static_cast<int>(std::max<std::int64_t>(0, (left_ < 0 ? -left_ : left_) - passed));
  if (left_ >= 1) return false;
  counting_ = false;
  return true;
}

bool SnoozeTimeReached(const std::string& snoozeTime, std::int64_t lastMinute,
                       std::int64_t nowMinute) {
  const int at = ParseMinuteOfDay(snoozeTime);
  if (at < 0 || nowMinute <= lastMinute) return false;
  // The latest occurrence of the set time at or before now.
  std::int64_t day = nowMinute / 1440;
  if (day * 1440 + at > nowMinute) --day;
  const std::int64_t when = day * 1440 + at;
  return when > lastMinute && when > nowMinute - 1440;
}

}  // namespace varlo
