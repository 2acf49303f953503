#include "tuner/aztech.h"

#include <string_view>

namespace halvern::aztech {
namespace {

constexpr std::int64_t kIntermediateHz = 10'700'000;
constexpr std::int64_t kStepHz = 100'000;

// Port bytes: bit 7 data, bit 6 clock, bit 1 held high throughout the transfer.
constexpr std::uint8_t kClockLow = 0x02;
constexpr std::uint8_t kClockHigh = 0x42;
constexpr std::uint8_t kData = 0x80;

constexpr std::uint64_t ParseBits(std::string_view bits) {
  std::uint64_t word = 0;
  for (std::size_t k = 0; k < bits.size(); ++k) {
    if (bits[k] == '1') word |= std::uint64_t{1} << k;
  }
  return word;
}

// In sending order. The divider fields are overwritten; the rest is the card's fixed setup.
constexpr std::uint64_t kTemplate = ParseBits("000001011000100001000101000001011000100001100101");

constexpr std::uint64_t kDividerMask = (std::uint64_t{1} << kDividerBits) - 1;
constexpr std::uint64_t kBothDividers =
    (kDividerMask << kFirstDividerAt) | (kDividerMask << kSecondDividerAt);

void SendBit(CardBus& bus, bool one) {
  bus.SendClockedBit(one, kClockLow, kClockHigh, kData);
}

}  // namespace

std::int32_t Divider(std::int32_t hz) {
  // Widened so a frequency near the top of the range cannot overflow; the quotient always fits.
  return static_cast<std::int32_t>((std::int64_t{hz} + kIntermediateHz) / kStepHz);
}

std::uint64_t TemplateWithoutDivider() {
  return kTemplate & ~kBothDividers;
}

std::uint64_t TuningWord(std::int32_t divider) {
  // Out-of-range dividers are not refused: only their low 14 bits reach the card.
  const std::uint64_t field = static_cast<std::uint32_t>(divider) & kDividerMask;
  return TemplateWithoutDivider() | (field << kFirstDividerAt) | (field << kSecondDividerAt);
}

void Tune(CardBus& bus, std::int32_t hz) {
  const std::uint64_t word = TuningWord(Divider(hz));
  for (int k = 0; k < kWordBits; ++k) SendBit(bus, ((word >> k) & 1) != 0);
}

void On(CardBus& bus, std::uint8_t volume) {
  bus.WriteTwice(volume);
}

void Off(CardBus& bus) {
  bus.WriteTwice(0x00);
}

std::uint8_t LevelUp(std::uint8_t volume) {
  switch (volume) {
    case 0:
      return 1;
    case 1:
      return 4;
    case 4:
      return 5;
    default:
      return volume;
  }
}

std::uint8_t LevelDown(std::uint8_t volume) {
  switch (volume) {
    case 1:
      return 0;
    case 4:
      return 1;
    case 5:
      return 4;
    default:
      return volume;
  }
}

void VolumeUp(CardBus& bus, std::uint8_t& volume) {
  if (volume >= 5) return;
  volume = LevelUp(volume);
  bus.WriteTwice(volume);
}

void VolumeDown(CardBus& bus, std::uint8_t& volume) {
  if (volume == 0) return;
  volume = LevelDown(volume);
  bus.WriteTwice(volume);
}

bool Stereo(CardBus& bus) {
  return (bus.Read() & 0x01) == 0;
}

bool Signal(CardBus& bus) {
  return (bus.Read() & 0x02) == 0;
}

}  // namespace halvern::aztech
