#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace varlo {

// The ten stopwatch timers of the clock. Each measures elapsed time on the steady clock, so a
// slow tick or a changed wall clock never makes it gain or lose; only the running flag and the
// time counted while stopped are kept. Times are milliseconds of that clock.
class Stopwatches {
 public:
  static constexpr int kCount = 10;

  // All ten stopped at zero, timer 0 selected.
  void ResetAll();
  void SelectNext() { current_ = (current_ + 1) % kCount; }
  void SelectPrevious() { current_ = (current_ + kCount - 1) % kCount; }
  // Starts a stopped timer or stops a running one.
  void Toggle(int timer, std::int64_t nowMs);
  // Zero elapsed time; a running timer goes on counting from now.
  void ResetTime(int timer, std::int64_t nowMs);
  // Stops the current timer and starts the next one from zero.
  void Lap(std::int64_t nowMs);

  int Current() const { return current_; }
  bool Running(int timer) const;
  // Whole seconds elapsed; a steady clock that was read earlier than the start counts as 0.
  std::int64_t ElapsedSeconds(int timer, std::int64_t nowMs) const;
  // "hh:mm:ss", each part at least two digits, the hours without a limit.
  std::string Text(int timer, std::int64_t nowMs) const;

 private:
  struct Timer {
    bool running = false;
    std::int64_t keptMs = 0;     // counted before the last start
    std::int64_t startedMs = 0;  // steady time of the last start
  };
  static bool Valid(int timer) { return timer >= 0 && timer < kCount; }

  std::array<Timer, kCount> timers_{};
  int current_ = 0;
};

}  // namespace varlo
