#pragma once
#include <string>

#include "platform/stream_player.h"

namespace varlo {

// Plays the sound a tuner delivers on a capture device (a USB receiver has no line out).
class RadioAudio {
 public:
  virtual ~RadioAudio() = default;
  // Plays ALSA capture device `device` ("plughw:1,0") until Stop.
  virtual void Play(const std::string& device) = 0;
  virtual void Stop() = 0;
  // Why the device playing gives no sound (it is missing or held by another program); empty
  // while it plays or nothing does.
  virtual std::string Problem() const = 0;
};

// Capture devices played by a stream engine, which reads them as "av://alsa:DEVICE".
class StreamRadioAudio final : public RadioAudio {
 public:
  explicit StreamRadioAudio(IStreamPlayer& player) : player_(player) {}
  void Play(const std::string& device) override {
    device_ = device;
    player_.Play("av://alsa:" + device);
  }
  void Stop() override { player_.Stop(); }
  std::string Problem() const override {
    return player_.Status().state == StreamState::Failed ? "No sound from " + device_
                                                         : std::string();
  }

 private:
  IStreamPlayer& player_;
  std::string device_;
};

}  // namespace varlo
