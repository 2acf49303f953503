#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace halvern {

// Decodes the RDS blocks a V4L2 radio delivers (three bytes each: the block's low and high
// byte, then its position in the group and error flags) into the station name (PS, groups 0A
// and 0B) and the radio text (groups 2A and 2B). Blocks with uncorrectable errors, and groups
// missing a block, are dropped; a name or text is reported only once every segment of it has
// arrived.
class RdsDecoder {
 public:
  // One block as struct v4l2_rds_data holds it.
  void Feed(std::uint8_t lsb, std::uint8_t msb, std::uint8_t block);
  // Decodes one whole group (blocks A to D).
  void Group(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d);
  // Forgets everything (a new station was tuned).
  void Reset();

  // The eight-character station name without trailing spaces; empty until complete.
  const std::string& StationName() const { return stationName_; }
  // The radio text (at most 64 characters) without trailing spaces; empty until complete.
  const std::string& RadioText() const { return radioText_; }

 private:
  void StationNameSegment(int segment, std::uint16_t chars);
  void TextSegment(int segment, int width, std::uint16_t first, std::uint16_t second);

  // The group being collected: which of its blocks have come, and their words.
  std::array<std::uint16_t, 4> blocks_{};
  int expected_ = 0;  // the next block's position, 0 (A) to 3 (D)

  std::array<char, 8> ps_{};
  unsigned psSeen_ = 0;  // one bit per two-character segment
  std::string stationName_;

  std::array<char, 64> rt_{};
  std::uint64_t rtSeen_ = 0;  // one bit per segment
  int rtFlag_ = -1;           // the text A/B flag; a change means a new text
  int rtEnd_ = 64;            // where a carriage return ended the text
  std::string radioText_;
};

}  // namespace halvern
