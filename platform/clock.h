#pragma once
#include <cstdint>

namespace varlo {

// Local wall-clock time, broken down.
struct LocalTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
  int millisecond = 0;
  int weekday = 0;  // 0 = Sunday
};

class IClock {
 public:
  virtual ~IClock() = default;
  virtual LocalTime Now() const = 0;
  // Milliseconds of a steady clock; only differences are meaningful. It may stand still while
  // the machine sleeps.
  virtual std::int64_t SteadyMs() const = 0;
  // Seconds since 1970-01-01 UTC: runs on through sleep and never jumps at a daylight-saving
  // change, so it measures how many real minutes passed between two local times.
  virtual std::int64_t UtcSeconds() const = 0;
};

}  // namespace varlo
