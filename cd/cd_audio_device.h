#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cd/cd_drive.h"
#include "player/media_device.h"

namespace varlo {

// The player's second media device, which also plays the disc: when its device type is
// "cdaudio", "open" opens the drive's stream of sectors instead of a file, so the disc plays,
// pauses, seeks and reports its position (in the disc's time base) through the same device
// as files. Every other call goes to the device it wraps.
class CdAudioDevice final : public IMediaDevice {
 public:
  CdAudioDevice(IMediaDevice& inner, const CdDrive& drive) : inner_(inner), drive_(drive) {}

  void SetDeviceType(std::string type) override { inner_.SetDeviceType(std::move(type)); }
  const std::string& DeviceType() const override { return inner_.DeviceType(); }
  void SetFileName(std::string path) override { inner_.SetFileName(std::move(path)); }
  const std::string& FileName() const override { return inner_.FileName(); }
  void SetWait(bool wait) override { inner_.SetWait(wait); }
  bool Wait() const override { return inner_.Wait(); }
  void SetFrom(std::int32_t ms) override { inner_.SetFrom(ms); }
  void Command(std::string_view word) override;
  int Error() const override { return inner_.Error(); }
  const std::string& ErrorMessage() const override { return inner_.ErrorMessage(); }
  std::int32_t Length() const override { return inner_.Length(); }
  std::int32_t Position() const override { return inner_.Position(); }
  // A disc's track titles come from the disc database, never from the audio stream.
  StreamTags Tags() const override { return inner_.Tags(); }
  void SetDisplayWindow(std::uint64_t windowId) override { inner_.SetDisplayWindow(windowId); }
  void SetVolume(double left, double right) override { inner_.SetVolume(left, right); }
  void SetReplayGain(ReplayGain mode) override { inner_.SetReplayGain(mode); }
  void SetEndCallback(std::function<void(MediaEnd)> callback) override {
    inner_.SetEndCallback(std::move(callback));
  }

 private:
  IMediaDevice& inner_;
  const CdDrive& drive_;
};

}  // namespace varlo
