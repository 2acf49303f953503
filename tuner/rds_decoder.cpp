#include "tuner/rds_decoder.h"

namespace halvern {
namespace {

// Block positions as V4L2 numbers them in the low three bits; C' (4) stands for C in version
// B groups.
constexpr std::uint8_t kBlockMask = 0x07;
constexpr std::uint8_t kBlockC2 = 4;
constexpr std::uint8_t kUncorrectable = 0x40;

// The basic RDS character set matches ASCII in its printable part; anything else (national
// characters, control codes) shows as a space rather than as stray bytes.
char Printable(std::uint8_t c) {
  return c >= 0x20 && c < 0x7F ? static_cast<char>(c) : ' ';
}

std::string Trimmed(const char* text, std::size_t size) {
  std::string out(text, size);
  const std::size_t end = out.find_last_not_of(' ');
  out.erase(end == std::string::npos ? 0 : end + 1);
  return out;
}

}  // namespace

void RdsDecoder::Reset() {
  *this = RdsDecoder{};
}

void RdsDecoder::Feed(std::uint8_t lsb, std::uint8_t msb, std::uint8_t block) {
  int position = block & kBlockMask;
  if (position == kBlockC2) position = 2;
  if ((block & kUncorrectable) != 0 || position > 3 || position != expected_) {
    // A lost or damaged block spoils its group; a block A starts the next one.
    expected_ = 0;
    if ((block & kUncorrectable) != 0 || position != 0) return;
  }
  blocks_[static_cast<std::size_t>(position)] = static_cast<std::uint16_t>(msb << 8 | lsb);
  expected_ = position + 1;
  if (expected_ == 4) {
    expected_ = 0;
    Group(blocks_[0], blocks_[1], blocks_[2], blocks_[3]);
  }
}

void RdsDecoder::Group(std::uint16_t /*a*/, std::uint16_t b, std::uint16_t c, std::uint16_t d) {
  const int type = b >> 12;
  const bool versionB = (b & 0x0800) != 0;
  if (type == 0) {
    StationNameSegment(b & 0x03, d);
  } else if (type == 2) {
    const int flag = (b >> 4) & 1;
    if (flag != rtFlag_) {
      // The station started a new text: what was collected belongs to the old one.
      rt_.fill(' ');
      rtSeen_ = 0;
      rtEnd_ = versionB ? 32 : 64;
      rtFlag_ = flag;
    }
    if (versionB)
      TextSegment(b & 0x0F, 2, d, 0);
    else
      TextSegment(b & 0x0F, 4, c, d);
  }
}

void RdsDecoder::StationNameSegment(int segment, std::uint16_t chars) {
  ps_[static_cast<std::size_t>(segment * 2)] = Printable(static_cast<std::uint8_t>(chars >> 8));
  ps_[static_cast<std::size_t>(segment * 2 + 1)] = Printable(static_cast<std::uint8_t>(chars));
  psSeen_ |= 1u << segment;
  if (psSeen_ == 0x0F) stationName_ = Trimmed(ps_.data(), ps_.size());
}

void RdsDecoder::TextSegment(int segment, int width, std::uint16_t first, std::uint16_t second) {
  const std::uint8_t chars[4] = {
      static_cast<std::uint8_t>(first >> 8), static_cast<std::uint8_t>(first),
      static_cast<std::uint8_t>(second >> 8), static_cast<std::uint8_t>(second)};
  for (int i = 0; i < width; ++i) {
    const int at = segment * width + i;
    if (at >= rtEnd_) break;
    if (chars[i] == 0x0D) {
      rtEnd_ = at;  // the text ends here; the segments after it will never come
      break;
    }
    rt_[static_cast<std::size_t>(at)] = Printable(chars[i]);
  }
  rtSeen_ |= std::uint64_t{1} << segment;
  const int segments = (rtEnd_ + width - 1) / width;
  const std::uint64_t all = segments >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << segments) - 1;
  if ((rtSeen_ & all) == all) radioText_ = Trimmed(rt_.data(), static_cast<std::size_t>(rtEnd_));
}

}  // namespace halvern
