#pragma once

#include <cstdint>

#include "tuner/port_io.h"

namespace halvern {

// Card types the library knows; any other value selects no card.
enum CardType : std::int32_t {
  kAztech = 0,
  kRadioTrack = 1,
  kRadioTrack2 = 2,
};

inline constexpr std::uint16_t kDefaultPort = 0x30C;
inline constexpr std::uint8_t kDefaultVolume = 1;

// The library's three remembered values and the per-card dispatch of every call. Nothing here
// is synchronised: one caller thread is assumed. The port access object must outlive the tuner.
class Tuner {
 public:
  explicit Tuner(PortIo& io) : io_(io) {}

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

  std::int32_t card_type() const { return card_type_; }
  std::uint16_t port() const { return port_; }

 private:
  CardBus Bus() { return CardBus(io_, port_); }

  PortIo& io_;
  std::int32_t card_type_ = kAztech;
  std::uint16_t port_ = kDefaultPort;
  std::uint8_t volume_ = kDefaultVolume;
};

}  // namespace halvern
