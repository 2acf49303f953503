#include "tuner/emulated_card.h"

#include <cstdlib>
#include <utility>

#include "tuner/aztech.h"
#include "tuner/radiotrack.h"
#include "tuner/radiotrack2.h"

namespace halvern {
namespace {

constexpr std::int32_t kCaptureHz = 50'000;
constexpr std::int64_t kAztechStepHz = 100'000;
constexpr std::int64_t kAztechIntermediateHz = 10'700'000;

// RadioTrack control bytes that frame the serial words.
constexpr std::uint8_t kSelect = 0xC8;
constexpr std::uint8_t kRt2Start = 0xC9;
// Longer than any valid word; a stream of noise keeps only its latest bits.
constexpr std::size_t kMaxRtBits = 64;

bool Rising(std::uint8_t before, std::uint8_t after, std::uint8_t line) {
  return (before & line) == 0 && (after & line) != 0;
}

}  // namespace

EmulatedCard::EmulatedCard(std::vector<SimStation> stations) : stations_(std::move(stations)) {}

void EmulatedCard::Out(std::uint16_t /*port*/, std::uint8_t value) {
  FeedAztech(value);
  FeedRadioTrack(value);
  volume_bits_ = value & 0x05;
  last_ = value;
}

std::uint8_t EmulatedCard::In(std::uint16_t /*port*/) {
  std::uint8_t status = 0xFF;
  if (const SimStation* station = StationAtTunedFrequency()) {
    status &= static_cast<std::uint8_t>(~0x02);
    if (station->stereo) status &= static_cast<std::uint8_t>(~0x01);
  }
  return status;
}

void EmulatedCard::FeedAztech(std::uint8_t value) {
  if ((value & 0x02) == 0) {  // Bit 1 dropped: any transfer in progress is abandoned.
    aztech_bits_ = 0;
    aztech_count_ = 0;
    return;
  }
  if (!Rising(last_, value, 0x40)) return;
  // A window over the last 48 bits, oldest at bit 0, so the decoder falls back into step by
  // itself after a stray or cut-off word.
  const std::uint64_t bit = (value & 0x80) != 0 ? 1 : 0;
  aztech_bits_ = (aztech_bits_ >> 1) | (bit << (aztech::kWordBits - 1));
  if (aztech_count_ < aztech::kWordBits) ++aztech_count_;
  if (aztech_count_ < aztech::kWordBits) return;

  const std::uint64_t word = aztech_bits_;
  constexpr std::uint64_t kField = (std::uint64_t{1} << aztech::kDividerBits) - 1;
  const std::uint64_t first = (word >> aztech::kFirstDividerAt) & kField;
  const std::uint64_t second = (word >> aztech::kSecondDividerAt) & kField;
  const std::uint64_t fixed =
      word & ~((kField << aztech::kFirstDividerAt) | (kField << aztech::kSecondDividerAt));
  if (first != second || fixed != aztech::TemplateWithoutDivider()) return;
  aztech_bits_ = 0;
  aztech_count_ = 0;
  const std::int64_t hz = static_cast<std::int64_t>(first) * kAztechStepHz - kAztechIntermediateHz;
  Tuned(static_cast<std::int32_t>(hz), SimProtocol::kAztech);
}

void EmulatedCard::FeedRadioTrack(std::uint8_t value) {
  // Bit 0 is high throughout a RadioTrack transfer. Any other byte with it low, apart from the
  // framing 0x00 and 0xC8, is another card's traffic and breaks the word off.
  if ((value & 0x01) != 0) {
    if (Rising(last_, value, 0x02)) {
      if (rt_bits_.size() == kMaxRtBits) rt_bits_.erase(rt_bits_.begin());
      rt_bits_.push_back((value & 0x04) != 0);
    }
  } else if (value != 0x00 && value != kSelect) {
    rt_bits_.clear();
    rt2_started_ = false;
    return;
  }
  if (value == kRt2Start) {  // Start of a RadioTrack II word: forget what came before.
    rt_bits_.clear();
    rt2_started_ = true;
    return;
  }
  if (value != kSelect) return;

  // 0xC8 ends a word on both cards: RadioTrack II after its preamble and 25 bits, RadioTrack
  // after at least 24 bits and a 0x00.
  constexpr std::size_t kRt2Bits = radiotrack2::kLeadingZeros + radiotrack2::kWordBits;
  if (rt2_started_ && rt_bits_.size() == kRt2Bits) {
    bool leading_zeros = true;
    std::int32_t word = 0;
    for (std::size_t k = 0; k < rt_bits_.size(); ++k) {
      if (k < radiotrack2::kLeadingZeros) {
        leading_zeros = leading_zeros && !rt_bits_[k];
      } else {
        word = word * 2 + (rt_bits_[k] ? 1 : 0);
      }
    }
    if (leading_zeros) {
      Tuned((word - radiotrack2::kIntermediateSteps) * radiotrack2::kStepHz,
            SimProtocol::kRadioTrack2);
    }
  } else if (last_ == 0x00 && rt_bits_.size() >= radiotrack::kWordBits) {
    // The last 24 bits count, as they would in the card's shift register.
    const std::size_t first = rt_bits_.size() - radiotrack::kWordBits;
    std::uint32_t word = 0;
    for (std::size_t k = 0; k < radiotrack::kWordBits; ++k) {
      if (rt_bits_[first + k]) word |= 1u << k;
    }
    constexpr std::uint32_t kField = (1u << radiotrack::kFieldBits) - 1;
    if ((word & ~kField) == radiotrack::kFixedBits) {
      const auto steps = static_cast<std::int32_t>(word & kField);
      Tuned((steps - radiotrack::kIntermediateSteps) * radiotrack::kStepHz,
            SimProtocol::kRadioTrack);
    }
  }
  rt_bits_.clear();
  rt2_started_ = false;
}

void EmulatedCard::Tuned(std::int32_t hz, SimProtocol protocol) {
  tuned_hz_ = hz;
  protocol_ = protocol;
}

const SimStation* EmulatedCard::StationAtTunedFrequency() const {
  if (!tuned_hz_) return nullptr;
  for (const SimStation& station : stations_) {
    if (std::abs(static_cast<std::int64_t>(station.hz) - *tuned_hz_) < kCaptureHz) return &station;
  }
  return nullptr;
}

}  // namespace halvern
