#pragma once
#include <cstdint>
#include <string>

#include "tuner/radio_device.h"
#include "tuner/rds_decoder.h"

namespace halvern {

// Card type 3: a V4L2 radio (USB FM receivers, TV cards with radio) driven through the
// kernel's ioctls, answering the library's calls with the same meanings as the port cards.
class V4l2Radio {
 public:
  explicit V4l2Radio(RadioDevice& device) : device_(device) {}

  void Tune(std::int32_t hz);
  void SetMuted(bool muted);
  // Moves the volume control one step (an eighth of its range) up or down.
  void StepVolume(int direction);
  bool Stereo();
  bool Signal();
  // Reads the RDS blocks that have arrived.
  void PollRds();
  const RdsDecoder& Rds() const { return rds_; }
  // The ALSA capture device the radio's sound arrives on, looked up under `sysRoot`; empty
  // when the device is not there or its sound leaves by a line out.
  std::string CaptureDevice(const std::string& sysRoot);

 private:
  bool Ready();
  // Asks the tuner; false when the device gives no answer.
  bool TunerState(std::uint32_t& capability, std::uint32_t& subchannels, std::int32_t& signal);

  RadioDevice& device_;
  RdsDecoder rds_;
};

}  // namespace halvern
