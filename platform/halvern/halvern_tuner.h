#pragma once
#include <memory>
#include <string>
#include <vector>

#include "fm/tuner.h"
#include "tuner/halvern.h"
#include "tuner/library_loader.h"

namespace varlo {

// The tuner card through libhalvern.so, loaded by name the first time any call needs it and
// each function bound by its exported name on its own first call. A library that cannot be
// loaded is reported once on standard error, with the paths tried, and every call then does
// nothing; so does a call whose export the library lacks.
class HalvernTuner final : public Tuner {
 public:
  // Looks for the library where halvern::LibraryCandidates says, from the running program.
  HalvernTuner();
  // Looks only at `candidates` (tests).
  explicit HalvernTuner(std::vector<std::string> candidates);
  ~HalvernTuner() override;

  bool Loaded() override;
  void SetCardType(std::uint16_t type) override;
  void SetPort(std::uint16_t port) override;
  void SetFrequency(std::int32_t hz) override;
  void RadioOn() override;
  void RadioOff() override;
  void VolumeUp() override;
  void VolumeDown() override;
  bool StereoDetect() override;
  bool SignalDetect() override;
  void SetVolume(std::uint8_t volume) override;
  std::uint8_t GetVolume() override;
  // From the library's optional RDS export; empty with a library that lacks it.
  std::string RdsStationName() override;
  std::string RdsRadioText() override;
  std::string CaptureDevice() override;

  // The library's path once loaded.
  std::string Path();

 private:
  // A function of the library, bound on first use.
  template <typename Fn>
  struct Bound {
    const char* name;
    Fn fn = nullptr;
    bool tried = false;
  };
  template <typename Fn>
  Fn Get(Bound<Fn>& bound);
  const halvern::Library* Library();

  std::vector<std::string> candidates_;
  bool searchFromProgram_ = false;
  bool opened_ = false;
  std::unique_ptr<halvern::Library> library_;

  Bound<halvern::SetCardTypeFn> setCardType_{"set_card_type"};
  Bound<halvern::SetPortFn> setPort_{"set_port"};
  Bound<halvern::SetFrequencyFn> setFrequency_{"set_frequency"};
  Bound<halvern::RadioOnFn> radioOn_{"radio_on"};
  Bound<halvern::RadioOffFn> radioOff_{"radio_off"};
  Bound<halvern::VolumeUpFn> volumeUp_{"volumeup"};
  Bound<halvern::VolumeDownFn> volumeDown_{"volumedown"};
  Bound<halvern::StereoDetectFn> stereoDetect_{"stereo_detect"};
  Bound<halvern::SignalDetectFn> signalDetect_{"signal_detect"};
  Bound<halvern::SetVolumeFn> setVolume_{"set_volume"};
  Bound<halvern::GetVolumeFn> getVolume_{"get_volume"};
  Bound<halvern::RdsTextFn> rdsStationName_{"rds_station_name"};
  Bound<halvern::RdsTextFn> rdsRadioText_{"rds_radio_text"};
  Bound<halvern::RdsTextFn> captureDevice_{"radio_capture_device"};
};

}  // namespace varlo
