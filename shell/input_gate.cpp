#include "shell/input_gate.h"

#include <utility>

namespace varlo {

void InputGate::RunBusy(const std::function<void()>& work) {
  ++depth_;
  try {
    work();
  } catch (...) {
    --depth_;
    throw;
  }
  --depth_;
  // What arrived meanwhile runs now, each item idle-guarded like the first.
  while (depth_ == 0 && !queue_.empty()) {
    std::function<void()> next = std::move(queue_.front());
    queue_.pop_front();
    ++depth_;
    try {
      next();
    } catch (...) {
      // A failing queued input ends only itself.
    }
    --depth_;
  }
}

void InputGate::Submit(std::function<void()> input) {
  if (depth_ > 0) {
    queue_.push_back(std::move(input));
    return;
  }
  RunBusy(input);
}

void InputGate::Offer(const std::function<void()>& input) {
  if (depth_ == 0) RunBusy(input);
}

bool InputGate::RunTick(const std::function<void()>& tick) {
  if (inTick_) return false;
  inTick_ = true;
  try {
    RunBusy(tick);
  } catch (...) {
    inTick_ = false;
    throw;
  }
  inTick_ = false;
  return true;
}

bool InputGate::RunIfIdle(const std::function<void()>& work) {
  if (depth_ > 0) return false;
  RunBusy(work);
  return true;
}

}  // namespace varlo
