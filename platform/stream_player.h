#pragma once
#include <cstdint>
#include <string>

namespace varlo {

// What the internet-radio player is doing.
enum class StreamState {
  Idle,     // nothing open: never started, or stopped
  Opening,  // contacting the server and reading the stream's start
  Playing,
  Paused,
  Failed,  // the last stream could not be opened, broke off or ended
};

// The player's state as last reported by its engine. `changes` counts reports of the station
// name and title, so a reader sees each new title once.
struct StreamStatus {
  StreamState state = StreamState::Idle;
  bool buffering = false;   // playback waits for the cache to fill
  double cacheSeconds = 0;  // audio held ahead of the play position
  double positionSeconds = 0;
  double bitRate = 0;       // bits per second of the audio, 0 when unknown
  std::string stationName;  // the stream's own name (ICY "icy-name")
  std::string title;        // the stream title (ICY "StreamTitle")
  std::uint64_t changes = 0;
  std::string error;  // why it failed, for the user
};

// Plays one internet stream at a time. Every call returns at once: opening, buffering and
// failures are reported through Status() as they happen. GUI thread only.
class IStreamPlayer {
 public:
  virtual ~IStreamPlayer() = default;
  // Opens and plays `address` (http or https), ending what played before.
  virtual void Play(const std::string& address) = 0;
  virtual void Stop() = 0;
  virtual StreamStatus Status() const = 0;
};

// A player without an engine: every stream fails.
class NullStreamPlayer final : public IStreamPlayer {
 public:
  void Play(const std::string&) override { status_.state = StreamState::Failed; }
  void Stop() override { status_.state = StreamState::Idle; }
  StreamStatus Status() const override { return status_; }

 private:
  StreamStatus status_;
};

}  // namespace varlo
