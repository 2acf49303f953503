#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tuner/port_io.h"
#include "tuner/radio_device.h"
#include "tuner/v4l2_radio.h"

namespace halvern {

// Card types the library knows; any other value selects no card.
enum CardType : std::int32_t {
  kAztech = 0,
  kRadioTrack = 1,
  kRadioTrack2 = 2,
  kV4l2Radio = 3,  // a V4L2 radio device node rather than a port card
};

inline constexpr std::uint16_t kDefaultPort = 0x30C;
inline constexpr std::uint8_t kDefaultVolume = 1;

// The library's three remembered values and the per-card dispatch of every call. Nothing here
// is synchronised: one caller thread is assumed. The port access object must outlive the tuner.
class Tuner {
 public:
  // `radio`, when given, is the V4L2 device card type 3 drives; it must outlive the tuner.
  explicit Tuner(PortIo& io, RadioDevice* radio = nullptr) : io_(io) {
    if (radio != nullptr) v4l2_.emplace(*radio);
  }

  // The 16-bit argument is zero-extended, so a negative 16-bit value selects no card.
  void SetCardType(std::uint16_t type) { card_type_ = type; }
  void SetPort(std::uint16_t port) { port_ = port; }

  void SetFrequency(std::int32_t hz);
  void RadioOn();
  void RadioOff();
  void VolumeUp();
  void VolumeDown();
  // 1 or 0; 0 when no card is selected.
  std::int32_t StereoDetect();
  std::int32_t SignalDetect();
  // Always stored; only the Aztech card is written at once.
  void SetVolume(std::uint8_t volume);
  std::uint8_t GetVolume() const { return volume_; }
  // One raw byte from the base port, whatever the card type.
  std::int32_t ReadCard();

  // What the V4L2 radio's RDS has said about the tuned station; empty for other cards.
  std::string StationName();
  std::string RadioText();
  // The ALSA capture device the V4L2 radio's sound arrives on (a USB receiver's), found under
  // `sysRoot`; empty for other cards and for radios with an audio line out of their own.
  std::string CaptureDevice(const std::string& sysRoot = "/sys");

  std::int32_t card_type() const { return card_type_; }
  std::uint16_t port() const { return port_; }

 private:
  CardBus Bus() { return CardBus(io_, port_); }
  // The V4L2 radio when it is the selected card.
  V4l2Radio* Radio() { return card_type_ == kV4l2Radio && v4l2_ ? &*v4l2_ : nullptr; }

  PortIo& io_;
  std::int32_t card_type_ = kAztech;
  std::uint16_t port_ = kDefaultPort;
  std::uint8_t volume_ = kDefaultVolume;
  std::optional<V4l2Radio> v4l2_;
};

}  // namespace halvern
