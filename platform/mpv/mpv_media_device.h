#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/byte_stream.h"
#include "player/media_device.h"
#include "player/media_errors.h"

struct mpv_handle;
struct mpv_event;

namespace varlo {

struct MpvLibrary;

// Options applied to the engine before it starts.
struct MpvOptions {
  std::string audioOutput;   // "ao" option; empty for $VARLO_AO, else kDesktopAudioOutputs
  std::string videoOutput;   // "vo" option; empty keeps the default ("null" for tests)
  int openTimeoutMs = 5000;  // longest wait of "open"
  // Further engine options as name/value pairs, applied after the ones above.
  std::vector<std::pair<std::string, std::string>> extra;
  // Address kinds the engine opens through our own streams ("varlocd://" for the disc).
  std::vector<StreamProtocol> protocols;
};

// An IMediaDevice played by one libmpv instance.
//
// Event pump: libmpv works on threads of its own. When it has events it calls the wakeup
// function (set with SetWakeup) on one of those threads; that function must only post a call of
// ProcessEvents() to the GUI thread (a queued call) and return. ProcessEvents() then handles
// every pending event on the GUI thread and runs the end callback from there.
//
// Start: the engine (libmpv, loaded at run time) is started by the first "open", or earlier on
// a thread of its own by StartInBackground(), so that creating a device costs nothing and the
// first "open" waits for at most the rest of that start. Properties set before the start
// (volume, display window) take effect when it ends; commands other than "open" find nothing
// open and do not start it.
//
// libmpv refuses to start unless LC_NUMERIC is "C": a Qt program calls
// setlocale(LC_NUMERIC, "C") after constructing its application object and before the engine
// starts (Available() starts it and tells whether it started).
class MpvMediaDevice final : public IMediaDevice {
 public:
  explicit MpvMediaDevice(MpvOptions options = {});
  ~MpvMediaDevice() override;
  MpvMediaDevice(const MpvMediaDevice&) = delete;
  MpvMediaDevice& operator=(const MpvMediaDevice&) = delete;

  // Starts the engine on another thread and returns at once; nothing when already started or
  // starting. GUI thread only, like every call below.
  void StartInBackground();
  // Starts the engine (waiting for a start in the background) and tells whether it runs. False
  // when libmpv could not be loaded, created or started; every command then fails with the
  // engine-unavailable error.
  bool Available();

  // Called from libmpv's threads whenever events are waiting; it must not call back into the
  // device. Setting it is thread-safe; an empty function stops the calls.
  void SetWakeup(std::function<void()> wakeup);
  // Handles all pending events. GUI thread only.
  void ProcessEvents();
  // Called on the GUI thread, inside "open" and "close": whether the open media shows video (a
  // video track is playing) and the video's size in pixels (0 x 0 when the file does not say).
  // Media with no video, and "close", report false. It must not call back into the device.
  void SetVideoCallback(std::function<void(bool video, int width, int height)> callback) {
    videoCallback_ = std::move(callback);
  }
  // Builds the video output of the open media again, so that it finds its display window as it
  // is now (the engine does not show video in a window that was hidden when the output was
  // made). Nothing when no video plays.
  void ReloadVideo();
  // Longest wait of the next "open" (addresses may need longer than files).
  void SetOpenTimeoutMs(int ms) { options_.openTimeoutMs = ms; }
  // Called on the GUI thread every few milliseconds while "open" waits for the engine (for its
  // start, then for the media to load), so that the window's events go on meanwhile: a damaged
  // or huge file may keep the engine probing for seconds. What it runs must not call into this
  // device; such calls fail as not ready, and a "close" among them gives the open up.
  void SetWaitPump(std::function<void()> pump) { pump_ = std::move(pump); }

  void SetDeviceType(std::string type) override { deviceType_ = std::move(type); }
  const std::string& DeviceType() const override { return deviceType_; }
  void SetFileName(std::string path) override { fileName_ = std::move(path); }
  const std::string& FileName() const override { return fileName_; }
  void SetWait(bool wait) override { wait_ = wait; }
  bool Wait() const override { return wait_; }
  void SetFrom(std::int32_t ms) override { from_ = ms; }
  void Command(std::string_view word) override;
  int Error() const override { return error_; }
  const std::string& ErrorMessage() const override { return errorMessage_; }
  std::int32_t Length() const override { return open_ ? length_ : 0; }
  std::int32_t Position() const override;
  StreamTags Tags() const override { return open_ ? tags_ : StreamTags{}; }
  void SetDisplayWindow(std::uint64_t windowId) override;
  // Where video goes while no display window is set: `window` is asked on the GUI thread when
  // the engine starts, so that a window made only for video is made only by a program that
  // starts an engine.
  void SetDefaultDisplayWindow(std::function<std::uint64_t()> window) {
    defaultWindow_ = std::move(window);
  }
  void SetVolume(double left, double right) override;
  void SetReplayGain(ReplayGain mode) override;
  void SetEndCallback(std::function<void(MediaEnd)> callback) override {
    endCallback_ = std::move(callback);
  }

 private:
  static void OnWakeup(void* self);
  // Runs on the starting thread, or on the GUI thread when nothing started in the background.
  void StartEngine(std::uint64_t displayWindow);
  void EnsureStarted();
  // The display window, the default one when none is set.
  std::uint64_t DisplayWindow();
  bool Ready() const { return state_ == State::Started && handle_ != nullptr; }
  void Fail(MediaFailure failure);
  void Open();
  // Sends the load of a media opened without waiting, to start at `startMs`.
  void IssueLoad(std::int32_t startMs, bool paused);
  // What follows the engine's report that the media opened: its length and tags, and what
  // was asked of it while it loaded.
  void Loaded();
  // Closes the open media; `report` false leaves telling the video callback to the caller.
  void Close(bool report = true);
  // Takes title, artist and album from the engine's metadata of the file just opened.
  void ReadTags();
  void Play();
  void Pause();
  void SeekTo(std::int32_t ms);
  // Handles one event; `notify` is false while "open" waits, so no callback runs inside it.
  void Handle(const mpv_event& event, bool notify);
  void ApplyVolume();
  void ApplyReplayGain();
  // Tells the video callback what the open media shows.
  void ReportVideo();

  // Waits for the engine's start on another thread, running the pump meanwhile.
  void WaitForStart();
  // Runs the pump once, with calls into the device held off.
  void Pump();

  enum class State { NotStarted, Starting, Started };
  State state_ = State::NotStarted;  // read and written on the GUI thread only
  std::thread starter_;
  std::atomic<bool> startDone_{false};  // set by the starting thread as it ends
  std::function<void()> pump_;
  bool pumping_ = false;        // the pump runs: calls into the device are refused
  bool wakeupMissed_ = false;   // ProcessEvents was refused meanwhile
  bool openAbandoned_ = false;  // a "close" came while "open" waited
  // Written by StartEngine; read on the GUI thread only once the state is Started.
  const MpvLibrary* mpv_ = nullptr;
  mpv_handle* handle_ = nullptr;
  MpvOptions options_;
  std::uint64_t displayWindow_ = 0;
  std::function<std::uint64_t()> defaultWindow_;
  std::mutex wakeupMutex_;
  std::function<void()> wakeup_;
  std::function<void(MediaEnd)> endCallback_;
  std::function<void(bool, int, int)> videoCallback_;
  bool videoReported_ = false;  // the callback was last told that video shows

  std::string deviceType_;
  std::string fileName_;
  bool wait_ = true;
  std::optional<std::int32_t> from_;
  int error_ = 0;
  std::string errorMessage_;

  bool open_ = false;
  // Opened without waiting and not loaded yet: the load goes out with the first "play" or
  // "seek", which say where it starts (`loadIssued_`), and is reported by events.
  bool loading_ = false;
  bool loadIssued_ = false;
  bool loadStarted_ = false;                   // the engine has started the entry of that load
  std::optional<std::int32_t> seekAfterLoad_;  // a seek asked while the load ran
  bool atEnd_ = false;
  std::int32_t length_ = 0;
  StreamTags tags_;
  // Target of a seek not finished yet: reported as the position until playback restarts.
  std::optional<std::int32_t> seekTarget_;
  bool seekLanded_ = false;  // the engine has finished the last seek
  bool paused_ = true;
  std::int64_t entryId_ = -1;  // playlist entry of the open file (-1 none)
  double left_ = 1.0, right_ = 1.0;
  std::string balanceFilter_;  // the filter chain applied last
  ReplayGain replayGain_ = ReplayGain::Off;
};

}  // namespace varlo
