#pragma once
#include <deque>
#include <functional>

namespace varlo {

// Keeps user input from running in the middle of other work of the window. Commands, skin
// loads, folder walks and timer ticks let pending window events run; user input that arrives
// in such a pump waits in a queue and runs, in arrival order, once the outermost work ends.
// Ticks are not user input: they go on while a command waits in a dialog (so playback moves
// on to the next entry), but a tick never runs inside another tick.
class InputGate {
 public:
  // Runs user input `input` now when the window is idle, else queues it.
  void Submit(std::function<void()> input);
  // Runs input that a later event replaces (pointer moves) now when idle, else drops it.
  void Offer(const std::function<void()>& input);
  // Runs `work` (the start-up) as busy time; false when the window was already busy, in which
  // case `work` is skipped.
  bool RunIfIdle(const std::function<void()>& work);
  // Runs a timer tick as busy time unless a tick is running already (then false, skipped).
  bool RunTick(const std::function<void()>& tick);

  bool Busy() const { return depth_ > 0; }
  std::size_t Queued() const { return queue_.size(); }

 private:
  void RunBusy(const std::function<void()>& work);

  int depth_ = 0;
  bool inTick_ = false;
  std::deque<std::function<void()>> queue_;
};

}  // namespace varlo
