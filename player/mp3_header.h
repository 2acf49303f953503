#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varlo {

// The fixed-width lookup table of channel-mode texts the main window shows; entry n starts at
// n * width and is trimmed.
inline constexpr std::string_view kChannelModeTable = "stereo  jstereo dualch  mono    ";
inline constexpr std::size_t kChannelModeWidth = 8;

// Files shorter than this show no stream properties and no tag.
inline constexpr std::uint64_t kMinMpegFileSize = 256;
// How far past an ID3v2 tag the search for the first frame header goes.
inline constexpr std::uint64_t kMaxFrameSearchBytes = 1 << 20;
// How much of the stream from its first frame on is read: the first frame with its Xing, Info
// or VBRI header, and the next frame of a free-format stream (at most 2881 bytes further).
inline constexpr std::size_t kFirstFramesBytes = 8192;

using Mp3HeaderBytes = std::array<std::uint8_t, 4>;

// Entry `index` of a fixed-width table, trimmed of blanks; "" when it lies beyond the text.
std::string TableEntry(std::string_view table, std::size_t width, unsigned index);

enum class MpegVersion { V1, V2, V25 };

// What a frame header says, with the tables of its own MPEG version and layer.
struct MpegFrameHeader {
  MpegVersion version = MpegVersion::V1;
  int layer = 3;        // 1, 2 or 3
  int bitRateKbps = 0;  // 0 for a free-format stream
  int sampleRateHz = 0;
  int channelMode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
  bool padding = false;
  bool crc = false;  // a 16-bit check follows the header

  // Samples one frame holds: 384 (Layer I), 1152 (Layer II and MPEG-1 Layer III) or 576.
  int SamplesPerFrame() const;
  // The frame's length in bytes, header included; 0 for free format.
  int FrameBytes() const;
};

struct Mp3StreamInfo {
  bool found = false;
  std::string bitRate;     // kbit/s as text ("128"), "free" when it cannot be told
  std::string sampleRate;  // whole kHz as text ("44" for 44.1 kHz, "22", "11", "8")
  std::string mode;        // channel mode
};

// The header's fields; nullopt unless the bytes can start a frame: the 11-bit sync, a known
// version and layer, a bit rate other than "bad" (15) and a known sampling rate.
std::optional<MpegFrameHeader> ParseMpegHeader(const Mp3HeaderBytes& header);

// Whether four bytes can start an MPEG audio frame (ParseMpegHeader gives a header).
bool IsPlausibleMp3Header(const Mp3HeaderBytes& header);

// The texts of a frame header alone (`found` is set): a free-format stream's bit rate shows
// "free". Bytes that start no frame give "" for an unknown bit rate and "??" for a reserved
// sampling rate.
Mp3StreamInfo DecodeMp3Header(const Mp3HeaderBytes& header);

// The average bit rate in kbit/s a Xing, Info or VBRI header in the first frame gives (`frame`
// holds the bytes from its header on): the stream's bytes over its duration (an Info header's
// counts leave out its own frame). A header without a byte count uses `streamBytes` (the audio
// from the first frame to the end). nullopt when there is no such header or it gives no frame
// count.
std::optional<int> VbrAverageKbps(std::string_view frame, const MpegFrameHeader& header,
                                  std::uint64_t streamBytes);

// A free-format stream's bit rate in kbit/s, from the distance between its first frame (at the
// start of `bytes`) and the next header of the same stream; nullopt when none follows in `bytes`.
std::optional<int> FreeFormatKbps(std::string_view bytes, const MpegFrameHeader& header);

// The texts for a stream whose first frame starts `head` (kFirstFramesBytes of it, or less at
// the end of the file) and which holds `streamBytes` of audio from there: the average bit rate of
// a VBR header where there is one, a free-format stream's measured bit rate. Not found unless
// `head` starts with a frame header.
Mp3StreamInfo DescribeMpegStream(std::string_view head, std::uint64_t streamBytes);

// Bytes an ID3v2 tag takes at the start of a file, given the file's first 10 bytes: header,
// stated (syncsafe) size and footer; 0 when the bytes are no ID3v2 header.
std::uint64_t Id3v2TagSize(std::string_view firstBytes);

// Offset of the first plausible frame header in the file: after an ID3v2 tag when the file
// starts with one, searching at most kMaxFrameSearchBytes. nullopt when none is found or
// the file cannot be read.
std::optional<std::uint64_t> FindMp3FrameHeader(const std::string& path);

// The fields of the file's first frame header (at FindMp3FrameHeader); nullopt without one.
std::optional<MpegFrameHeader> ReadFirstMpegHeader(const std::string& path);

// The stream properties of the file (DescribeMpegStream from its first frame header on, the
// ID3v1 tag at its end not counted as audio). Not found (empty texts) for missing files, files
// shorter than kMinMpegFileSize and files without a frame header.
Mp3StreamInfo ReadMp3StreamInfo(const std::string& path);

}  // namespace varlo
