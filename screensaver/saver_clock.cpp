#include "screensaver/saver_clock.h"

#include <cstdio>

#include "common/numtext.h"

namespace varlo {

void SaverClock::Start() {
  minute_ = -1;
  dayNumber_ = -1;
  second_ = -1;
  Tick();
}

bool SaverClock::Tick() {
  now_ = clock_.Now();
  if (now_.second == second_ && WallMinute(now_) == minute_) return false;
  second_ = now_.second;
  char text[4];
  std::snprintf(text, sizeof text, "%02d", now_.second % 100);
  seconds_ = text;
  if (WallMinute(now_) != minute_) {
    minute_ = WallMinute(now_);
    time_ = ClockLabelText(now_, timeFmt_);
  }
  const std::int64_t day = DayNumber(now_.year, now_.month, now_.day);
  if (day != dayNumber_) {
    dayNumber_ = day;
    day_ = MakeDayStr(now_);
  }
  return true;
}

std::string SaverDigitText(int style, const std::string& value, const LocalTime& now,
                           bool twelveHour) {
  char text[64];
  const int hour = twelveHour ? (now.hour % 12 == 0 ? 12 : now.hour % 12) : now.hour;
  const char* marker = now.hour < 12 ? "AM" : "PM";
  if (style == 1) {
    if (twelveHour)
      std::snprintf(text, sizeof text, "%02d:%02d %s", hour, now.minute, marker);
    else
      std::snprintf(text, sizeof text, "%02d:%02d    ", hour, now.minute);
    return text;
  }
  if (style == 2) {
    if (twelveHour)
      std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", hour, now.minute, now.second, marker);
    else
      std::snprintf(text, sizeof text, "%02d:%02d:%02d ", hour, now.minute, now.second);
    return text;
  }
  double number = 0;
  if (!ParseWholeNumber(TrimBlanks(value), number)) return value;
  if (style == 0) {
    const long long s = static_cast<long long>(number);
    const long long m = s < 0 ? -s : s;
    std::snprintf(text, sizeof text, "%s%02lld:%02lld", s < 0 ? "-" : "", m / 60 % 10000, m % 60);
    return text;
  }
  if (style < 0) {
    const int places = style < -15 ? 15 : -style;
    std::string digits = FormatFixed(number, places, 0);
    if (digits.size() > static_cast<std::size_t>(places))
      digits = digits.substr(digits.size() - static_cast<std::size_t>(places));
    // Fixed digits show blanks before the first significant one, the last digit always.
    for (std::size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
    return digits;
  }
  return value;
}

void SaverDismissal::Reset(std::int64_t steadyMs) {
  startMs_ = steadyMs;
  initX_ = -1;
  initY_ = -1;
}

bool SaverDismissal::PointerMoved(int x, int y, std::int64_t steadyMs) {
  if (!MayClose(steadyMs)) return false;
  if (initX_ == -1 && initY_ == -1) {
    initX_ = x;
    initY_ = y;
    return false;
  }
  return x != initX_ || y != initY_;
}

}  // namespace varlo
