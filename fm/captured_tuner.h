#pragma once
#include <cstdint>
#include <string>

#include "fm/radio_audio.h"
#include "fm/tuner.h"

namespace varlo {

// A tuner whose sound, when the card delivers it on a capture device, is played while the
// radio is on: every path that switches the card on or off (the mode's start, mute, the
// schedule, the exit) switches the capture with it. Other cards pass straight through.
class CapturedTuner final : public Tuner {
 public:
  CapturedTuner(Tuner& card, RadioAudio& audio) : card_(card), audio_(audio) {}
  ~CapturedTuner() override { StopCapture(); }
  CapturedTuner(const CapturedTuner&) = delete;
  CapturedTuner& operator=(const CapturedTuner&) = delete;

  bool Loaded() override { return card_.Loaded(); }
  void SetCardType(std::uint16_t type) override;
  void SetPort(std::uint16_t port) override { card_.SetPort(port); }
  void SetFrequency(std::int32_t hz) override { card_.SetFrequency(hz); }
  void RadioOn() override;
  void RadioOff() override;
  void VolumeUp() override { card_.VolumeUp(); }
  void VolumeDown() override { card_.VolumeDown(); }
  bool StereoDetect() override { return card_.StereoDetect(); }
  bool SignalDetect() override { return card_.SignalDetect(); }
  void SetVolume(std::uint8_t volume) override { card_.SetVolume(volume); }
  std::uint8_t GetVolume() override { return card_.GetVolume(); }
  std::string RdsStationName() override { return card_.RdsStationName(); }
  std::string RdsRadioText() override { return card_.RdsRadioText(); }
  std::string CaptureDevice() override { return card_.CaptureDevice(); }
  std::string AudioProblem() override {
    return playing_.empty() ? std::string() : audio_.Problem();
  }

  // The capture device being played; empty when none is.
  const std::string& Playing() const { return playing_; }

 private:
  void StopCapture();

  Tuner& card_;
  RadioAudio& audio_;
  std::string playing_;
  int cardType_ = -1;  // none chosen yet
};

}  // namespace varlo
