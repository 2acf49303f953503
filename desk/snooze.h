#pragma once
#include <cstdint>
#include <string>

namespace varlo {

// The sleep timer: switches off after a number of minutes (mode 0) or when the clock reaches a
// set time (mode 1). The caller keeps the "Snooze" flag; this keeps the countdown.
class Snooze {
 public:
  // The minute count the next countdown starts with (the preferences' minute list). It does not
  // touch a countdown that already runs.
  void ChooseMinutes(int minutes) { chosen_ = minutes < 0 ? -minutes : minutes; }
  int ChosenMinutes() const { return chosen_; }

  // Starts the countdown from the chosen count at real time `utcSeconds`; false when no count
  // was chosen, which leaves nothing to count down.
  bool Start(std::int64_t utcSeconds);
  bool Counting() const { return counting_; }
  void Stop() { counting_ = false; }
  // Minutes left to show.
  int Left() const { return left_ > 0 ? left_ : 0; }

  // Counts the real minutes passed since the last call (UTC, so sleep counts and a
  // daylight-saving change does not); true when the count has run out and the sound should
  // go off. A clock set back counts nothing.
  bool CountDown(std::int64_t utcSeconds);

 private:
  static std::int64_t MinuteOf(std::int64_t s) { return s >= 0 ? s / 60 : -((-s + 59) / 60); }

  int chosen_ = 0;
  int left_ = 0;
  bool counting_ = false;
  std::int64_t lastMinute_ = 0;
};

// Whether the set time `snoozeTime` ("hh:mm") lies after `lastMinute` and up to `nowMinute`
// (wall minutes as WallMinute counts them), so a late check still fires it once.
bool SnoozeTimeReached(const std::string& snoozeTime, std::int64_t lastMinute,
                       std::int64_t nowMinute);

}  // namespace varlo
