#include "tuner/radiotrack.h"

namespace halvern::radiotrack {
namespace {

// Port bytes: bit 2 data, bit 1 clock, bit 0 held high while a word is sent.
constexpr std::uint8_t kClockLow = 0x01;
constexpr std::uint8_t kClockHigh = 0x03;
constexpr std::uint8_t kData = 0x04;

// A volume pulse is one of these, ended at once by kPulseEnd.
constexpr std::uint8_t kLouder = 0x88;
constexpr std::uint8_t kSofter = 0x48;
constexpr std::uint8_t kPulseEnd = 0xC8;

void SendBit(CardBus& bus, bool one) {
  bus.SendClockedBit(one, kClockLow, kClockHigh, kData);
}

}  // namespace

std::uint32_t TuningWord(std::int32_t hz) {
  constexpr std::uint32_t kFieldMask = (1u << kFieldBits) - 1;
  // Out-of-range fields are not refused: only the low 14 bits reach the card.
  const std::int32_t steps = hz / kStepHz + kIntermediateSteps;
  return kFixedBits | (static_cast<std::uint32_t>(steps) & kFieldMask);
}

void Tune(CardBus& bus, std::int32_t hz) {
  const std::uint32_t word = TuningWord(hz);
  for (int k = 0; k < kWordBits; ++k) SendBit(bus, ((word >> k) & 1) != 0);
  bus.Write(0x00);
  bus.Write(kPulseEnd);
}

void Off(CardBus& bus) {
  bus.WriteTwice(0x00);
}

void VolumeUp(CardBus& bus) {
  bus.Write(kLouder);
  bus.Write(kPulseEnd);
}

void VolumeDown(CardBus& bus) {
  bus.Write(kSofter);
  bus.Write(kPulseEnd);
}

}  // namespace halvern::radiotrack
