#pragma once
#include "platform/clock.h"

namespace varlo {

class QtClock : public IClock {
 public:
  LocalTime Now() const override;
  std::int64_t SteadyMs() const override;
  std::int64_t UtcSeconds() const override;
};

}  // namespace varlo
