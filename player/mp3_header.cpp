#include "player/mp3_header.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace varlo {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kId3v2HeaderBytes = 10;

struct FrameHeader {
  std::uint64_t offset;
  Mp3HeaderBytes bytes;
};

}  // namespace

std::string TableEntry(std::string_view table, std::size_t width, unsigned index) {
  const std::size_t start = static_cast<std::size_t>(index) * width;
  if (width == 0 || start >= table.size()) return {};
  std::string_view entry = table.substr(start, width);
  const auto first = entry.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  entry.remove_prefix(first);
  entry.remove_suffix(entry.size() - entry.find_last_not_of(' ') - 1);
  return std::string(entry);
}

namespace {

// Bit rates in kbit/s by index 1-14 (0 is free format, 15 bad), for MPEG-1 Layers I-III and
// for MPEG-2 and 2.5 Layer I and Layers II/III.
constexpr std::array<std::array<int, 15>, 5> kBitRates{{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
}};

constexpr std::array<int, 3> kSampleRates{44100, 48000, 32000};

// Above the 448 kbit/s of MPEG-1 Layer I, with room for free-format streams.
constexpr double kMaxAverageBitsPerSecond = 1'000'000.0;

int BitRateRow(MpegVersion version, int layer) {
  if (version == MpegVersion::V1) return layer - 1;
  return layer == 1 ? 3 : 4;
}

int SampleRateDivisor(MpegVersion version) {
  return version == MpegVersion::V1 ? 1 : version == MpegVersion::V2 ? 2 : 4;
}

// Bytes per slot and the factor of bit rate over sampling rate that gives a frame's slots.
int SlotBytes(const MpegFrameHeader& h) {
  return h.layer == 1 ? 4 : 1;
}
int SlotFactor(const MpegFrameHeader& h) {
  if (h.layer == 1) return 12;
  if (h.layer == 3 && h.version != MpegVersion::V1) return 72;
  return 144;
}

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

Mp3HeaderBytes HeaderAt(std::string_view bytes, std::size_t at) {
  const auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[at + i]); };
  return {b(0), b(1), b(2), b(3)};
}

// A measured or averaged bit rate in whole kbit/s. No MPEG audio stream runs faster than its
// highest bit rate: a figure beyond it comes of a damaged header or of a false frame sync, and
// the frame's own bit rate then shows instead.
std::optional<int> RoundedKbps(double bitsPerSecond) {
  if (!(bitsPerSecond >= 500.0 && bitsPerSecond <= kMaxAverageBitsPerSecond)) return std::nullopt;
  return static_cast<int>(bitsPerSecond / 1000.0 + 0.5);
}

std::string SampleRateText(int hz) {
  return std::to_string(hz / 1000);
}

}  // namespace

int MpegFrameHeader::SamplesPerFrame() const {
  if (layer == 1) return 384;
  if (layer == 3 && version != MpegVersion::V1) return 576;
  return 1152;
}

int MpegFrameHeader::FrameBytes() const {
  if (bitRateKbps == 0 || sampleRateHz == 0) return 0;
  const int slots = SlotFactor(*this) * bitRateKbps * 1000 / sampleRateHz + (padding ? 1 : 0);
  return slots * SlotBytes(*this);
}

std::optional<MpegFrameHeader> ParseMpegHeader(const Mp3HeaderBytes& header) {
  if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0) return std::nullopt;
  const unsigned versionBits = (header[1] >> 3) & 3u;  // 01 is reserved
  const unsigned layerBits = (header[1] >> 1) & 3u;    // 00 is reserved
  const unsigned bitRateIndex = (header[2] >> 4) & 15u;
  const unsigned samplingIndex = (header[2] >> 2) & 3u;
  if (versionBits == 1 || layerBits == 0 || bitRateIndex == 15 || samplingIndex == 3)
    return std::nullopt;
  MpegFrameHeader h;
  h.version = versionBits == 3   ? MpegVersion::V1
              : versionBits == 2 ? MpegVersion::V2
                                 : MpegVersion::V25;
  h.layer = static_cast<int>(4 - layerBits);
  h.bitRateKbps = kBitRates[static_cast<std::size_t>(BitRateRow(h.version, h.layer))][bitRateIndex];
  h.sampleRateHz = kSampleRates[samplingIndex] / SampleRateDivisor(h.version);
  h.channelMode = static_cast<int>((header[3] >> 6) & 3u);
  h.padding = (header[2] & 2u) != 0;
  h.crc = (header[1] & 1u) == 0;
  return h;
}

bool IsPlausibleMp3Header(const Mp3HeaderBytes& header) {
  return ParseMpegHeader(header).has_value();
}

Mp3StreamInfo DecodeMp3Header(const Mp3HeaderBytes& header) {
  Mp3StreamInfo info;
  info.found = true;
  info.mode = TableEntry(kChannelModeTable, kChannelModeWidth, (header[3] >> 6) & 3u);
  if (const auto h = ParseMpegHeader(header)) {
    info.bitRate = h->bitRateKbps == 0 ? "free" : std::to_string(h->bitRateKbps);
    info.sampleRate = SampleRateText(h->sampleRateHz);
  } else {
    // Bits that start no frame say nothing of the rates.
    info.sampleRate = ((header[2] >> 2) & 3u) == 3 ? "??" : "";
  }
  return info;
}

std::optional<int> VbrAverageKbps(std::string_view frame, const MpegFrameHeader& header,
                                  std::uint64_t streamBytes) {
  std::uint64_t frames = 0, bytes = 0;
  // The Xing or Info header follows the side information; a check word before it moves it on.
  const bool mono = header.channelMode == 3;
  const std::size_t sideInfo =
      header.version == MpegVersion::V1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
  for (const std::size_t at : {4 + sideInfo, 6 + sideInfo}) {
    if (frame.size() < at + 8) break;
    const std::string_view tag = frame.substr(at, 4);
    if (tag != "Xing" && tag != "Info") continue;
    const std::uint32_t flags = BigEndian32(frame, at + 4);
    std::size_t field = at + 8;
    if ((flags & 1u) != 0 && frame.size() >= field + 4) {
      frames = BigEndian32(frame, field);
      field += 4;
    }
    bytes =
        (flags & 2u) != 0 && frame.size() >= field + 4 ? BigEndian32(frame, field) : streamBytes;
    // "Info" marks a constant bit rate, of the frames counted. The header's own frame (often of
    // another bit rate, to hold the header) is not counted among them, and leaving out its
    // bytes gives that rate exactly, as ffprobe shows it. An average of varying frames is taken
    // the way ffprobe takes it.
    const auto own = static_cast<std::uint64_t>(header.FrameBytes());
    if (tag == "Info" && bytes > own) bytes -= own;
    break;
  }
  // A VBRI header stands 32 bytes after the header, whatever the stream.
  constexpr std::size_t kVbri = 36;
  if (frames == 0 && frame.size() >= kVbri + 18 && frame.substr(kVbri, 4) == "VBRI") {
    bytes = BigEndian32(frame, kVbri + 10);
    frames = BigEndian32(frame, kVbri + 14);
  }
  if (frames == 0 || bytes == 0 || header.sampleRateHz == 0) return std::nullopt;
  const double seconds = static_cast<double>(frames) * header.SamplesPerFrame() /
                         static_cast<double>(header.sampleRateHz);
  return RoundedKbps(static_cast<double>(bytes) * 8.0 / seconds);
}

std::optional<int> FreeFormatKbps(std::string_view bytes, const MpegFrameHeader& header) {
  // The next frame has the same version, layer, sampling rate and free-format index; only its
  // padding may differ. The smallest frame holds its header and side information.
  for (std::size_t at = 21; at + 4 <= bytes.size(); ++at) {
    at = bytes.find('\xFF', at);
    if (at == std::string_view::npos || at + 4 > bytes.size()) break;
    const Mp3HeaderBytes next = HeaderAt(bytes, at);
    const auto h = ParseMpegHeader(next);
    if (!h || h->version != header.version || h->layer != header.layer ||
        h->sampleRateHz != header.sampleRateHz || h->bitRateKbps != 0)
      continue;
    const double slots = static_cast<double>(at) / SlotBytes(header) - (header.padding ? 1.0 : 0.0);
    return RoundedKbps(slots * header.sampleRateHz / SlotFactor(header));
  }
  return std::nullopt;
}

Mp3StreamInfo DescribeMpegStream(std::string_view head, std::uint64_t streamBytes) {
  if (head.size() < 4) return {};
  const Mp3HeaderBytes bytes = HeaderAt(head, 0);
  const auto header = ParseMpegHeader(bytes);
  if (!header) return {};
  Mp3StreamInfo info = DecodeMp3Header(bytes);
  std::optional<int> kbps = VbrAverageKbps(head, *header, streamBytes);
  if (!kbps && header->bitRateKbps == 0) kbps = FreeFormatKbps(head, *header);
  if (kbps) info.bitRate = std::to_string(*kbps);
  return info;
}

std::uint64_t Id3v2TagSize(std::string_view firstBytes) {
  if (firstBytes.size() < kId3v2HeaderBytes || firstBytes.substr(0, 3) != "ID3") return 0;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(firstBytes[i]); };
  // Version bytes are never 0xFF, and each size byte holds 7 bits; anything else is not a
  // tag header, and the frame search then starts at the beginning of the file.
  if (byte(3) == 0xFF || byte(4) == 0xFF) return 0;
  std::uint64_t size = 0;
  for (std::size_t i = 6; i < 10; ++i) {
    if (byte(i) & 0x80) return 0;
    size = (size << 7) | byte(i);
  }
  size += kId3v2HeaderBytes;
  if (byte(5) & 0x10) size += kId3v2HeaderBytes;  // footer
  return size;
}

namespace {

std::optional<FrameHeader> FindFrameHeader(const std::string& path) {
  // Only regular files: opening a pipe or device for reading could wait for ever.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  char first[kId3v2HeaderBytes] = {};
  in.read(first, sizeof first);
  const std::uint64_t start =
      Id3v2TagSize(std::string_view(first, static_cast<std::size_t>(in.gcount())));
  in.clear();
  in.seekg(static_cast<std::streamoff>(start));
  if (!in) return std::nullopt;

  // Every position in [start, start + kMaxFrameSearchBytes) is tried, so the bytes read end
  // three after the last one; a header split between two chunks is found through the three
  // bytes kept from the previous chunk.
  const std::uint64_t readLimit = kMaxFrameSearchBytes + 3;
  std::vector<char> buf(kChunkBytes);
  std::uint64_t bufOffset = start;
  std::uint64_t readTotal = 0;
  std::size_t have = 0;
  while (readTotal < readLimit) {
    const auto want =
        static_cast<std::size_t>(std::min<std::uint64_t>(buf.size() - have, readLimit - readTotal));
    in.read(buf.data() + have, static_cast<std::streamsize>(want));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0) break;
    readTotal += got;
    have += got;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buf.data());
    for (std::size_t i = 0; i + 4 <= have; ++i) {
      const void* sync = std::memchr(bytes + i, 0xFF, have - 3 - i);
      if (!sync) break;
      i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(sync) - bytes);
      const Mp3HeaderBytes header{bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3]};
      if (IsPlausibleMp3Header(header)) return FrameHeader{bufOffset + i, header};
    }
    const std::size_t keep = std::min<std::size_t>(have, 3);
    std::memmove(buf.data(), buf.data() + have - keep, keep);
    bufOffset += have - keep;
    have = keep;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> FindMp3FrameHeader(const std::string& path) {
  const auto header = FindFrameHeader(path);
  if (!header) return std::nullopt;
  return header->offset;
}

std::optional<MpegFrameHeader> ReadFirstMpegHeader(const std::string& path) {
  const auto header = FindFrameHeader(path);
  if (!header) return std::nullopt;
  return ParseMpegHeader(header->bytes);
}

Mp3StreamInfo ReadMp3StreamInfo(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size < kMinMpegFileSize) return {};
  const auto header = FindFrameHeader(path);
  if (!header) return {};
  std::ifstream in(path, std::ios::binary);
  std::string head(kFirstFramesBytes, '\0');
  in.seekg(static_cast<std::streamoff>(header->offset));
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  if (head.size() < 4) return DecodeMp3Header(header->bytes);
  // An ID3v1 tag at the end is no part of the audio.
  char tag[3] = {};
  in.clear();
  in.seekg(static_cast<std::streamoff>(size - 128));
  in.read(tag, sizeof tag);
  const std::uint64_t tagBytes = in.gcount() == 3 && std::string_view(tag, 3) == "TAG" ? 128 : 0;
  const std::uint64_t end = size > tagBytes ? size - tagBytes : size;
  return DescribeMpegStream(head, end > header->offset ? end - header->offset : 0);
}

}  // namespace varlo
