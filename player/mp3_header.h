#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varlo {

// Fixed-width lookup tables of the stream properties the main window shows; entry n starts
// at n * width and is trimmed.
inline constexpr std::string_view kBitRateTable =
    "144 16  32  48  56  64  80  96  112 128 160 192 224 256 320 ";
inline constexpr std::size_t kBitRateWidth = 4;
inline constexpr std::string_view kSampleRateTable = "44 48 32 ?? ";
inline constexpr std::size_t kSampleRateWidth = 3;
inline constexpr std::string_view kChannelModeTable = "stereo  jstereo dualch  mono    ";
inline constexpr std::size_t kChannelModeWidth = 8;

// Files shorter than this show no stream properties and no tag.
inline constexpr std::uint64_t kMinMpegFileSize = 256;
// How far past an ID3v2 tag the search for the first frame header goes.
inline constexpr std::uint64_t kMaxFrameSearchBytes = 1 << 20;

using Mp3HeaderBytes = std::array<std::uint8_t, 4>;

// Entry `index` of a fixed-width table, trimmed of blanks; "" when it lies beyond the text.
std::string TableEntry(std::string_view table, std::size_t width, unsigned index);

struct Mp3StreamInfo {
  bool found = false;
  std::string bitRate;     // kbit/s, as text
  std::string sampleRate;  // kHz, as text
  std::string mode;        // channel mode
};

// The table texts for a frame header: bit rate from bits 4-7 and sampling rate from bits 2-3
// of the third byte, channel mode from bits 6-7 of the fourth. Takes the bytes as they are,
// without checking them (`found` is set).
Mp3StreamInfo DecodeMp3Header(const Mp3HeaderBytes& header);

// Whether four bytes can start an MPEG audio frame: the 11-bit sync, a known version and
// layer, a bit rate other than "bad" (15) and a known sampling rate.
bool IsPlausibleMp3Header(const Mp3HeaderBytes& header);

// Bytes an ID3v2 tag takes at the start of a file, given the file's first 10 bytes: header,
// stated (syncsafe) size and footer; 0 when the bytes are no ID3v2 header.
std::uint64_t Id3v2TagSize(std::string_view firstBytes);

// Offset of the first plausible frame header in the file: after an ID3v2 tag when the file
// starts with one, searching at most kMaxFrameSearchBytes. nullopt when none is found or
// the file cannot be read.
std::optional<std::uint64_t> FindMp3FrameHeader(const std::string& path);

// The stream properties of the file's first frame header. Not found (empty texts) for
// missing files, files shorter than kMinMpegFileSize and files without a frame header.
Mp3StreamInfo ReadMp3StreamInfo(const std::string& path);

}  // namespace varlo
