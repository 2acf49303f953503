#include "desk/stopwatch.h"

#include <cstdio>

namespace varlo {

void Stopwatches::ResetAll() {
  timers_ = {};
  current_ = 0;
}

void Stopwatches::Toggle(int timer, std::int64_t nowMs) {
  if (!Valid(timer)) return;
  Timer& t = timers_[static_cast<std::size_t>(timer)];
  if (t.running) {
    t.keptMs += nowMs > t.startedMs ? nowMs - t.startedMs : 0;
    t.running = false;
  } else {
    t.startedMs = nowMs;
    t.running = true;
  }
}

void Stopwatches::ResetTime(int timer, std::int64_t nowMs) {
  if (!Valid(timer)) return;
  Timer& t = timers_[static_cast<std::size_t>(timer)];
  t.keptMs = 0;
  t.startedMs = nowMs;
}

void Stopwatches::Lap(std::int64_t nowMs) {
  if (Running(current_)) Toggle(current_, nowMs);
  SelectNext();
  ResetTime(current_, nowMs);
  if (!Running(current_)) Toggle(current_, nowMs);
}

bool Stopwatches::Running(int timer) const {
  return Valid(timer) && timers_[static_cast<std::size_t>(timer)].running;
}

std::int64_t Stopwatches::ElapsedSeconds(int timer, std::int64_t nowMs) const {
  if (!Valid(timer)) return 0;
  const Timer& t = timers_[static_cast<std::size_t>(timer)];
  std::int64_t ms = t.keptMs;
  if (t.running && nowMs > t.startedMs) ms += nowMs - t.startedMs;
  return ms / 1000;
}

std::string Stopwatches::Text(int timer, std::int64_t nowMs) const {
  const std::int64_t s = ElapsedSeconds(timer, nowMs);
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return text;
}

}  // namespace varlo
