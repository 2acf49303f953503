#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fm/tuner.h"

namespace varlo::testing {

// A tuner card that records the calls it gets ("type 0", "port 848", "freq 87500000", "on",
// "off", "up", "down", "volume 3") and answers the detect calls from a set of stations, in
// hertz: every station has a signal, those in `stereo` are stereo.
struct FakeTuner final : Tuner {
  bool loaded = true;
  std::vector<std::string> calls;
  std::set<std::int32_t> stations;
  std::set<std::int32_t> stereo;
  std::int32_t tuned = 0;
  std::uint8_t volume = 1;
  std::map<std::int32_t, std::string> rdsNames;  // hertz -> station name sent by RDS
  std::map<std::int32_t, std::string> rdsTexts;  // hertz -> radio text sent by RDS
  std::string captureDevice;                     // where the card's sound arrives, if anywhere

  bool Loaded() override { return loaded; }
  void SetCardType(std::uint16_t type) override { calls.push_back("type " + std::to_string(type)); }
  void SetPort(std::uint16_t port) override { calls.push_back("port " + std::to_string(port)); }
  void SetFrequency(std::int32_t hz) override {
    tuned = hz;
    calls.push_back("freq " + std::to_string(hz));
  }
  void RadioOn() override { calls.push_back("on"); }
  void RadioOff() override { calls.push_back("off"); }
  void VolumeUp() override {
    ++volume;
    calls.push_back("up");
  }
  void VolumeDown() override {
    if (volume > 0) --volume;
    calls.push_back("down");
  }
  bool StereoDetect() override { return stereo.count(tuned) > 0; }
  std::string RdsRadioText() override {
    const auto it = rdsTexts.find(tuned);
    return it == rdsTexts.end() ? std::string() : it->second;
  }
  std::string RdsStationName() override {
    const auto it = rdsNames.find(tuned);
    return it == rdsNames.end() ? std::string() : it->second;
  }
  bool SignalDetect() override { return stations.count(tuned) > 0 || stereo.count(tuned) > 0; }
  void SetVolume(std::uint8_t v) override {
    volume = v;
    calls.push_back("volume " + std::to_string(v));
  }
  std::uint8_t GetVolume() override { return volume; }
  std::string CaptureDevice() override { return captureDevice; }

  // Whether `call` was made.
  bool Saw(const std::string& call) const {
    for (const std::string& c : calls)
      if (c == call) return true;
    return false;
  }
};

}  // namespace varlo::testing
