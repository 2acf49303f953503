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
  // Milliseconds of a steady clock; only differences are meaningful.
  virtual std::int64_t SteadyMs() const = 0;
};

}  // namespace varlo
