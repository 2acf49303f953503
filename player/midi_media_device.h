#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "player/media_device.h"

namespace varlo {

inline constexpr std::string_view kMidiScheme = "varlomidi://";

// Whether `path` names a MIDI file by its extension (".mid", ".midi", ".rmi", any case).
bool IsMidiFile(std::string_view path);

// A media device that also plays MIDI files: the engine cannot decode them, so "open" of an
// existing MIDI file opens the synthesiser's rendering of it (kMidiScheme + path) on the
// device it wraps instead; positions, seeking, pausing and volume are then the wrapped
// device's. When MIDI cannot play (`missing` returns what to install), the open fails with
// that sentence as its message. Everything else goes to the wrapped device unchanged.
class MidiMediaDevice final : public IMediaDevice {
 public:
  MidiMediaDevice(IMediaDevice& inner, std::function<std::string()> missing)
      : inner_(inner), missing_(std::move(missing)) {}

  void SetDeviceType(std::string type) override { inner_.SetDeviceType(std::move(type)); }
  const std::string& DeviceType() const override { return inner_.DeviceType(); }
  void SetFileName(std::string path) override { fileName_ = std::move(path); }
  const std::string& FileName() const override { return fileName_; }
  void SetWait(bool wait) override { inner_.SetWait(wait); }
  bool Wait() const override { return inner_.Wait(); }
  void SetFrom(std::int32_t ms) override { inner_.SetFrom(ms); }
  void Command(std::string_view word) override;
  int Error() const override { return error_ != 0 ? error_ : inner_.Error(); }
  const std::string& ErrorMessage() const override {
    return error_ != 0 ? message_ : inner_.ErrorMessage();
  }
  std::int32_t Length() const override { return inner_.Length(); }
  StreamTags Tags() const override { return inner_.Tags(); }
  std::int32_t Position() const override { return inner_.Position(); }
  void SetDisplayWindow(std::uint64_t windowId) override { inner_.SetDisplayWindow(windowId); }
  void SetVolume(double left, double right) override { inner_.SetVolume(left, right); }
  void SetReplayGain(ReplayGain mode) override { inner_.SetReplayGain(mode); }
  void SetEndCallback(std::function<void(MediaEnd)> callback) override {
    inner_.SetEndCallback(std::move(callback));
  }

 private:
  IMediaDevice& inner_;
  std::function<std::string()> missing_;
  std::string fileName_;
  int error_ = 0;  // this device's own failure of the last command, 0 for none
  std::string message_;
};

}  // namespace varlo
