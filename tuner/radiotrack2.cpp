#include "tuner/radiotrack2.h"

namespace halvern::radiotrack2 {
namespace {

// Port bytes: bit 2 data, bit 1 clock; each level is written once.
constexpr std::uint8_t kClockLow = 0x01;
constexpr std::uint8_t kClockHigh = 0x03;
constexpr std::uint8_t kData = 0x04;

constexpr std::uint8_t kSelect = 0xC8;
constexpr std::uint8_t kStart = 0xC9;

void SendBit(CardBus& bus, bool one) {
  const std::uint8_t data = one ? kData : 0;
  bus.Write(static_cast<std::uint8_t>(kClockLow | data));
  bus.Write(static_cast<std::uint8_t>(kClockHigh | data));
  bus.Write(static_cast<std::uint8_t>(kClockLow | data));
}

}  // namespace

std::uint16_t TuningWord(std::int32_t hz) {
  // The card tunes in 100 kHz steps, that is whole multiples of 8 of its 12.5 kHz unit.
  constexpr std::int32_t kTuningStepHz = 100'000;
  const std::int32_t steps = hz / kTuningStepHz * 8 + kIntermediateSteps;
  // Out-of-range words are not refused: only the low 15 bits reach the card.
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(steps) & ((1u << kWordBits) - 1));
}

void Tune(CardBus& bus, std::int32_t hz) {
  bus.Write(kSelect);
  bus.Write(kStart);
  bus.Write(kStart);
  for (int k = 0; k < kLeadingZeros; ++k) SendBit(bus, false);
  const std::uint16_t word = TuningWord(hz);
  for (int k = kWordBits - 1; k >= 0; --k) SendBit(bus, ((word >> k) & 1) != 0);
  bus.Write(kSelect);
  Unmute(bus);
}

void Unmute(CardBus& bus) {
  bus.Write(0x00);
}

void Mute(CardBus& bus) {
  bus.Write(0x01);
}

bool Signal(CardBus& bus) {
  return (bus.Read() & 0x02) == 0;
}

}  // namespace halvern::radiotrack2
