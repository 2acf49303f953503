#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "player/media_device.h"
#include "player/media_errors.h"

struct mpv_handle;
struct mpv_event;

namespace varlo {

// Options applied to the engine before it starts.
struct MpvOptions {
  std::string audioOutput;   // "ao" option; empty keeps the engine's default ("null" for tests)
  std::string videoOutput;   // "vo" option; empty keeps the default ("null" for tests)
  int openTimeoutMs = 5000;  // longest wait of "open"
  // Further engine options as name/value pairs, applied after the ones above.
  std::vector<std::pair<std::string, std::string>> extra;
};

// An IMediaDevice played by one libmpv instance.
//
// Event pump: libmpv works on threads of its own. When it has events it calls the wakeup
// function (set with SetWakeup) on one of those threads; that function must only post a call of
// ProcessEvents() to the GUI thread (a queued call) and return. ProcessEvents() then handles
// every pending event on the GUI thread and runs the end callback from there.
//
// libmpv refuses to start unless LC_NUMERIC is "C": a Qt program calls
// setlocale(LC_NUMERIC, "C") after constructing its application object and before creating a
// device (Available() tells whether it started).
class MpvMediaDevice final : public IMediaDevice {
 public:
  explicit MpvMediaDevice(MpvOptions options = {});
  ~MpvMediaDevice() override;
  MpvMediaDevice(const MpvMediaDevice&) = delete;
  MpvMediaDevice& operator=(const MpvMediaDevice&) = delete;

  // False when the engine could not be created or started; every command then fails with the
  // engine-unavailable error.
  bool Available() const { return handle_ != nullptr; }

  // Called from libmpv's threads whenever events are waiting; it must not call back into the
  // device. Setting it is thread-safe; an empty function stops the calls.
  void SetWakeup(std::function<void()> wakeup);
  // Handles all pending events. GUI thread only.
  void ProcessEvents();
  // Longest wait of the next "open" (addresses may need longer than files).
  void SetOpenTimeoutMs(int ms) { options_.openTimeoutMs = ms; }

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
  void SetDisplayWindow(std::uint64_t windowId) override;
  void SetVolume(double left, double right) override;
  void SetEndCallback(std::function<void(MediaEnd)> callback) override {
    endCallback_ = std::move(callback);
  }

 private:
  static void OnWakeup(void* self);
  void Fail(MediaFailure failure);
  void Open();
  void Close();
  void Play();
  void Pause();
  void SeekTo(std::int32_t ms);
  // Handles one event; `notify` is false while "open" waits, so no callback runs inside it.
  void Handle(const mpv_event& event, bool notify);
  void ApplyVolume();

  mpv_handle* handle_ = nullptr;
  MpvOptions options_;
  std::mutex wakeupMutex_;
  std::function<void()> wakeup_;
  std::function<void(MediaEnd)> endCallback_;

  std::string deviceType_;
  std::string fileName_;
  bool wait_ = true;
  std::optional<std::int32_t> from_;
  int error_ = 0;
  std::string errorMessage_;

  bool open_ = false;
  bool atEnd_ = false;
  std::int32_t length_ = 0;
  // Target of a seek not finished yet: reported as the position until playback restarts.
  std::optional<std::int32_t> seekTarget_;
  std::int64_t entryId_ = -1;  // playlist entry of the open file (-1 none)
  double left_ = 1.0, right_ = 1.0;
  std::string balanceFilter_;  // the filter chain applied last
};

}  // namespace varlo
