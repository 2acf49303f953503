#pragma once
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace varlo::testing {

// Stands in for the GUI thread's event queue: backends post to it from their threads and the
// test runs what was posted on its own thread.
class GuiQueue {
 public:
  std::function<void(std::function<void()>)> Poster() {
    return [this](std::function<void()> call) {
      std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
    };
  }
  // Runs posted calls until `done` holds or `timeoutMs` passes; returns `done()`.
  bool Until(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      RunPosted();
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  void RunPosted() {
    std::deque<std::function<void()>> calls;
    {
      std::lock_guard lock(mutex_);
      calls.swap(calls_);
    }
    for (auto& call : calls) call();
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;
};

}  // namespace varlo::testing
