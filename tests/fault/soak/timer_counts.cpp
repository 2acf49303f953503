#include "tests/fault/soak/timer_counts.h"

namespace varlo::testing {

bool TimerCounts::Watch(const std::string& name, QObject* parent, const char* object) {
  if (Watched(name)) return true;
  QTimer* timer = parent ? parent->findChild<QTimer*>(QString::fromLatin1(object)) : nullptr;
  if (!timer) return false;
  timers_[name] = timer;
  counts_[name] = 0;
  QObject::connect(timer, &QTimer::timeout, &context_, [this, name] { ++counts_[name]; });
  return true;
}

int TimerCounts::Count(const std::string& name) const {
  const auto found = counts_.find(name);
  return found == counts_.end() ? 0 : found->second;
}

void TimerCounts::Reset() {
  for (auto& [name, count] : counts_) count = 0;
}

}  // namespace varlo::testing
