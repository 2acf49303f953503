#pragma once
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <numbers>
#include <string>

#include "platform/mpv/mpv_media_device.h"

namespace varlo::testing {

// A 16-bit PCM WAV file holding a 440 Hz sine of `ms` milliseconds.
inline std::string SineWav(int ms, int channels = 2, int rate = 44100) {
  const auto frames = static_cast<std::uint32_t>(static_cast<std::int64_t>(rate) * ms / 1000);
  const auto channelCount = static_cast<std::uint32_t>(channels);
  const std::uint32_t dataBytes = frames * channelCount * 2;
  std::string out;
  auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  out += "RIFF";
  put(36 + dataBytes, 4);
  out += "WAVEfmt ";
  put(16, 4);
  put(1, 2);  // PCM
  put(channelCount, 2);
  put(static_cast<std::uint32_t>(rate), 4);
  put(static_cast<std::uint32_t>(rate) * channelCount * 2, 4);
  put(channelCount * 2, 2);
  put(16, 2);
  out += "data";
  put(dataBytes, 4);
  for (std::uint32_t frame = 0; frame < frames; ++frame) {
    const double phase = 2.0 * std::numbers::pi * 440.0 * frame / rate;
    const auto sample = static_cast<std::int16_t>(std::lround(12000.0 * std::sin(phase)));
    for (std::uint32_t c = 0; c < channelCount; ++c) put(static_cast<std::uint16_t>(sample), 2);
  }
  return out;
}

inline MpvOptions NullOutputs() {
  MpvOptions options;
  options.audioOutput = "null";
  options.videoOutput = "null";
  return options;
}

// Runs the device's events the way the GUI does: the wakeup (on libmpv's thread) only signals,
// and this thread then calls ProcessEvents.
class EventPump {
 public:
  explicit EventPump(MpvMediaDevice& device) : device_(device) {
    device_.SetWakeup([this] {
      {
        std::lock_guard lock(mutex_);
        woken_ = true;
        ++wakeups_;
      }
      signal_.notify_one();
    });
  }
  ~EventPump() { device_.SetWakeup({}); }
  EventPump(const EventPump&) = delete;
  EventPump& operator=(const EventPump&) = delete;

  // Pumps until `done` holds or `timeoutMs` passes; returns `done()`. Polls at least every
  // 20 ms, as the position changes without events.
  bool Until(const std::function<bool()>& done, int timeoutMs = 4000) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      device_.ProcessEvents();
      if (done()) return true;
      if (Clock::now() >= deadline) return false;
      std::unique_lock lock(mutex_);
      signal_.wait_for(lock, std::chrono::milliseconds(20), [this] { return woken_; });
      woken_ = false;
    }
  }
  // Pumps until two looks at the device's position 60 ms apart agree (a pause can land late
  // on a loaded machine), for at most four seconds.
  void UntilStill(const IMediaDevice& device) {
    int last = -1;
    Until([&] {
      const int now = device.Position();
      const bool still = now == last;
      last = now;
      For(60);
      return still;
    });
  }
  // Pumps for a fixed time.
  void For(int ms) {
    Until([] { return false; }, ms);
  }
  int Wakeups() {
    std::lock_guard lock(mutex_);
    return wakeups_;
  }

 private:
  MpvMediaDevice& device_;
  std::mutex mutex_;
  std::condition_variable signal_;
  bool woken_ = false;
  int wakeups_ = 0;
};

}  // namespace varlo::testing
