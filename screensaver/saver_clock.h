#pragma once
#include <cstdint>
#include <string>

#include "desk/clock_text.h"
#include "platform/clock.h"

namespace varlo {

// The saver's clock texts and when they change. The time label and the clock display change at
// the first tick of a new minute, the date at the first tick of a new day, whenever that tick
// comes; the seconds at every new second.
class SaverClock {
 public:
  SaverClock(const IClock& clock, int timeFmt) : clock_(clock), timeFmt_(timeFmt) {}

  // The clock format for the next Start (after the settings changed).
  void SetTimeFmt(int timeFmt) { timeFmt_ = timeFmt; }
  // Takes the time now and builds every text.
  void Start();
  // One tick; true when any text changed.
  bool Tick();

  const std::string& TimeText() const { return time_; }    // label 3
  const DayTexts& Day() const { return day_; }             // labels 6 and 7
  const std::string& Seconds() const { return seconds_; }  // digit display 11, "ss"
  const LocalTime& Now() const { return now_; }
  bool TwelveHour() const { return timeFmt_ != 1; }

 private:
  const IClock& clock_;
  int timeFmt_;
  LocalTime now_;
  std::int64_t minute_ = -1;
  std::int64_t dayNumber_ = -1;
  int second_ = -1;
  std::string time_;
  std::string seconds_;
  DayTexts day_;
};

// The saver's own digit formatting: the clock styles 1 ("hh:mm AM" or "hh:mm" and four blanks)
// and 2 ("hh:mm:ss AM" or "hh:mm:ss "), the minutes:seconds style 0, fixed digits (negative
// styles, leading zeros blanked) and plain text for the rest.
std::string SaverDigitText(int style, const std::string& value, const LocalTime& now,
                           bool twelveHour);

// When the saver may end: pointer movement only counts once it has rested after the first two
// seconds, and no close is taken within two seconds of the start or of a return from the
// settings. All on the steady clock, so midnight or a changed wall clock make no difference.
class SaverDismissal {
 public:
  static constexpr std::int64_t kGraceMs = 2000;

  void Reset(std::int64_t steadyMs);
  // The pointer is at (x, y); true when this movement ends the saver.
  bool PointerMoved(int x, int y, std::int64_t steadyMs);
  // Whether a click, key or close request ends the saver now.
  bool MayClose(std::int64_t steadyMs) const { return steadyMs - startMs_ >= kGraceMs; }

 private:
  std::int64_t startMs_ = 0;
  int initX_ = -1, initY_ = -1;
};

}  // namespace varlo
