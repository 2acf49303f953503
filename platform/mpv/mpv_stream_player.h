#pragma once
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/mpv/stream_entries.h"
#include "platform/stream_player.h"

struct mpv_handle;
struct mpv_event;

namespace varlo {

struct MpvLibrary;

// Options of the stream engine.
struct MpvStreamOptions {
  std::string audioOutput;         // "ao"; empty for $VARLO_AO, else kDesktopAudioOutputs
  int networkTimeoutSeconds = 30;  // a server silent this long fails the stream
  // Plays a local capture device (a radio's sound) rather than a network stream: no cache and
  // little probing, so what the tuner receives is heard within a fraction of a second.
  bool capture = false;
};

// The internet-radio player: a libmpv instance of its own, separate from the media player's,
// driven from one worker thread. Play and Stop only queue a command for the worker and return;
// the worker makes the engine, sends it the commands and reads the properties it observes
// (idle, pause, buffering, cache, position, bit rate, ICY name and title) into a status that
// Status() copies under a short lock. Nothing on the calling thread ever waits for the engine
// or the network.
class MpvStreamPlayer final : public IStreamPlayer {
 public:
  explicit MpvStreamPlayer(MpvStreamOptions options = {});
  // Ends the worker; the engine is destroyed on it.
  ~MpvStreamPlayer() override;
  MpvStreamPlayer(const MpvStreamPlayer&) = delete;
  MpvStreamPlayer& operator=(const MpvStreamPlayer&) = delete;

  void Play(const std::string& address) override;
  void Stop() override;
  StreamStatus Status() const override;

 private:
  struct Request {
    bool play = false;
    std::string address;
  };
  void Run();
  bool Start();
  void Send(const Request& request);
  // Fails a stream still opening after the network time-out.
  void GiveUpOpening();
  void Handle(const mpv_event& event);

  MpvStreamOptions options_;
  const MpvLibrary* mpv_ = nullptr;  // worker only
  mpv_handle* handle_ = nullptr;     // worker only
  std::thread worker_;
  std::atomic<bool> quit_{false};
  std::atomic<bool> engineFailed_{false};  // libmpv could not be loaded or started
  mutable std::mutex mutex_;
  std::deque<Request> requests_;
  StreamStatus status_;
  StreamEntries entries_;  // under the lock, with the status it keeps
  bool paused_ = false;    // worker only
  bool opening_ = false;   // worker only: a stream asked for has not been seen to start
  std::chrono::steady_clock::time_point openedAt_;  // worker only: when it was asked for
};

}  // namespace varlo
