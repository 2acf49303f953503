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

Mp3StreamInfo DecodeMp3Header(const Mp3HeaderBytes& header) {
  Mp3StreamInfo info;
  info.found = true;
  info.bitRate = TableEntry(kBitRateTable, kBitRateWidth, (header[2] >> 4) & 15u);
  info.sampleRate = TableEntry(kSampleRateTable, kSampleRateWidth, (header[2] >> 2) & 3u);
  info.mode = TableEntry(kChannelModeTable, kChannelModeWidth, (header[3] >> 6) & 3u);
  return info;
}

bool IsPlausibleMp3Header(const Mp3HeaderBytes& header) {
  if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0) return false;
  const unsigned version = (header[1] >> 3) & 3u;  // 01 is reserved
  const unsigned layer = (header[1] >> 1) & 3u;    // 00 is reserved
  const unsigned bitRate = (header[2] >> 4) & 15u;
  const unsigned sampling = (header[2] >> 2) & 3u;
  return version != 1 && layer != 0 && bitRate != 15 && sampling != 3;
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

Mp3StreamInfo ReadMp3StreamInfo(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size < kMinMpegFileSize) return {};
  const auto header = FindFrameHeader(path);
  if (!header) return {};
  return DecodeMp3Header(header->bytes);
}

}  // namespace varlo
