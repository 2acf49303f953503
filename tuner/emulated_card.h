#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tuner/port_io.h"
#include "tuner/sim_stations.h"

namespace halvern {

// Which protocol the last complete tuning word arrived in.
enum class SimProtocol { kNone, kAztech, kRadioTrack, kRadioTrack2 };

// A stand-in for a tuner card at any port. It watches every byte written, decodes complete
// tuning words of all three card protocols back into a frequency, and answers reads with the
// two active-low status lines: bit 0 clear for a stereo station, bit 1 clear for any station
// within 50 kHz of the tuned frequency. Malformed or interrupted words are ignored, as a real
// PLL would never latch them.
class EmulatedCard : public PortIo {
 public:
  explicit EmulatedCard(std::vector<SimStation> stations);

  void Out(std::uint16_t port, std::uint8_t value) override;
  std::uint8_t In(std::uint16_t port) override;

  std::optional<std::int32_t> tuned_hz() const { return tuned_hz_; }
  SimProtocol protocol() const { return protocol_; }
  // Bits 0 and 2 of the last byte written: the Aztech card's volume level.
  std::uint8_t volume_bits() const { return volume_bits_; }

 private:
  void FeedAztech(std::uint8_t value);
  void FeedRadioTrack(std::uint8_t value);
  void Tuned(std::int32_t hz, SimProtocol protocol);
  const SimStation* StationAtTunedFrequency() const;

  std::vector<SimStation> stations_;
  std::optional<std::int32_t> tuned_hz_;
  SimProtocol protocol_ = SimProtocol::kNone;
  std::uint8_t volume_bits_ = 0;
  std::uint8_t last_ = 0;

  // Aztech: the last bits sampled on rising edges of bit 6 while bit 1 is high.
  std::uint64_t aztech_bits_ = 0;
  int aztech_count_ = 0;

  // Both RadioTracks: bits sampled on each rising edge of bit 1, kept in arrival order.
  std::vector<bool> rt_bits_;
  bool rt2_started_ = false;
};

}  // namespace halvern
