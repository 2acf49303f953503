#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "player/media_device.h"

namespace varlo::testing {

// A media device for engine tests: lengths and open errors are scripted per file name, the
// position is set by the test (or moved on with Advance), and every command is recorded.
class FakeMediaDevice : public IMediaDevice {
 public:
  struct Call {
    std::string word;                  // as sent, case kept
    std::string fileName;              // FileName() when sent
    std::optional<std::int32_t> from;  // From given for this command, if any
  };
  struct ScriptedError {
    int number = 0;
    std::string message;
  };

  // Length reported after a successful "open" of a file not in `lengths`.
  std::int32_t defaultLength = 180000;
  std::map<std::string, std::int32_t> lengths;
  // An "open" of one of these file names fails with the given error.
  std::map<std::string, ScriptedError> openErrors;
  // Tags reported while one of these file names is open.
  std::map<std::string, StreamTags> tags;

  std::vector<Call> calls;
  bool open = false;
  bool playing = false;  // "play" sent and not stopped since
  std::uint64_t displayWindow = 0;
  double left = 1.0, right = 1.0;
  ReplayGain replayGain = ReplayGain::Off;

  // The command words sent, in order.
  std::vector<std::string> Words() const;
  // Sets the position directly, as if the media had played there.
  void SetPosition(std::int32_t ms) { position_ = ms; }
  // Moves the position on by `ms` while playing, stopping at the length.
  void Advance(std::int32_t ms);
  // Puts the position at the end and calls the end callback.
  void Finish(MediaEnd reason = MediaEnd::Finished);

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
  std::int32_t Length() const override { return open ? length_ : 0; }
  std::int32_t Position() const override { return open ? position_ : 0; }
  StreamTags Tags() const override {
    const auto it = tags.find(fileName_);
    return open && it != tags.end() ? it->second : StreamTags{};
  }
  void SetDisplayWindow(std::uint64_t windowId) override { displayWindow = windowId; }
  void SetVolume(double leftFactor, double rightFactor) override {
    left = leftFactor;
    right = rightFactor;
  }
  void SetReplayGain(ReplayGain mode) override { replayGain = mode; }
  void SetEndCallback(std::function<void(MediaEnd)> callback) override {
    endCallback_ = std::move(callback);
  }

 private:
  std::string deviceType_;
  std::string fileName_;
  bool wait_ = false;
  std::optional<std::int32_t> from_;
  int error_ = 0;
  std::string errorMessage_;
  std::int32_t length_ = 0;
  std::int32_t position_ = 0;
  std::function<void(MediaEnd)> endCallback_;
};

}  // namespace varlo::testing
