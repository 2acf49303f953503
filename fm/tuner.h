#pragma once
#include <cstdint>
#include <string>

namespace varlo {

// The FM tuner card as the eleven calls of the tuner library reach it. Frequencies are whole
// hertz; the volume is the library's volume byte. Every call runs on the GUI thread and
// returns at once (a tuning is a few hundred port writes).
class Tuner {
 public:
  virtual ~Tuner() = default;

  // Whether the library could be loaded; without it every call does nothing and the detect
  // calls and the volume give 0.
  virtual bool Loaded() = 0;

  virtual void SetCardType(std::uint16_t type) = 0;
  virtual void SetPort(std::uint16_t port) = 0;
  virtual void SetFrequency(std::int32_t hz) = 0;
  virtual void RadioOn() = 0;
  virtual void RadioOff() = 0;
  virtual void VolumeUp() = 0;
  virtual void VolumeDown() = 0;
  virtual bool StereoDetect() = 0;
  virtual bool SignalDetect() = 0;
  virtual void SetVolume(std::uint8_t volume) = 0;
  virtual std::uint8_t GetVolume() = 0;
  // The tuned station's name as its RDS gives it (V4L2 receivers); empty when unknown or
  // the card has no RDS.
  virtual std::string RdsStationName() { return {}; }
  // The radio text the station sends, when the card has RDS.
  virtual std::string RdsRadioText() { return {}; }
  // The sound capture device the card's audio arrives on (a USB receiver's, "plughw:1,0"),
  // which the program has to play itself; empty when the card's audio has a line out.
  virtual std::string CaptureDevice() { return {}; }
  // Why the radio on is not heard though the card plays (its capture device failed), for the
  // user; empty while all is well.
  virtual std::string AudioProblem() { return {}; }
};

// No card at all: every call does nothing.
class NullTuner final : public Tuner {
 public:
  bool Loaded() override { return false; }
  void SetCardType(std::uint16_t) override {}
  void SetPort(std::uint16_t) override {}
  void SetFrequency(std::int32_t) override {}
  void RadioOn() override {}
  void RadioOff() override {}
  void VolumeUp() override {}
  void VolumeDown() override {}
  bool StereoDetect() override { return false; }
  bool SignalDetect() override { return false; }
  void SetVolume(std::uint8_t) override {}
  std::uint8_t GetVolume() override { return 0; }
};

// Selects the card of type `cardType` at its default port (choice 0) or its alternate one
// (choice 1): 0x350/0x358 for type 0, 0x30C/0x20C for types 1 and 2, port 0 for other types.
void SetTunerCard(Tuner& tuner, int cardType, int portChoice);

// The port SetTunerCard gives the card.
std::uint16_t TunerPort(int cardType, int portChoice);

}  // namespace varlo
