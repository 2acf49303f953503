#include "cd/nrg_layout.h"

#include "cd/disc_toc.h"

namespace varlo {
namespace {

std::uint64_t BigEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (char c : bytes) value = value << 8 | static_cast<unsigned char>(c);
  return value;
}

// A list this long is broken, whatever its chunks say.
constexpr int kMaxChunks = 4096;

}  // namespace

std::optional<NrgChunkSpan> FindNrgChunks(std::string_view tail, std::uint64_t fileSize) {
  if (tail.size() > kNrgFooterBytes || tail.size() > fileSize) return std::nullopt;
  std::uint64_t offset = 0;
  std::size_t footer = 0;
  if (tail.size() >= 12 && tail.substr(tail.size() - 12, 4) == "NER5") {
    offset = BigEndian(tail.substr(tail.size() - 8));
    footer = 12;
  } else if (tail.size() >= 8 && tail.substr(tail.size() - 8, 4) == "NERO") {
    offset = BigEndian(tail.substr(tail.size() - 4));
    footer = 8;
  } else {
    return std::nullopt;
  }
  if (offset > fileSize - footer) return std::nullopt;
  return NrgChunkSpan{offset, fileSize - footer - offset};
}

std::optional<NrgLayout> ParseNrgChunks(std::string_view chunks) {
  if (chunks.size() > kMaxNrgChunkBytes) return std::nullopt;
  NrgLayout layout;
  for (int count = 0; chunks.size() >= 8; ++count) {
    if (count == kMaxChunks) return std::nullopt;
    const std::string_view name = chunks.substr(0, 4);
    const std::uint64_t length = BigEndian(chunks.substr(4, 4));
    if (name == "END!") break;
    if (length > chunks.size() - 8) return std::nullopt;
    const std::string_view body = chunks.substr(8, static_cast<std::size_t>(length));
    if (name == "SINF") {
      if (body.size() < 4) return std::nullopt;
      const std::uint64_t tracks = BigEndian(body.substr(0, 4));
      if (tracks > static_cast<std::uint64_t>(kMaxDiscTracks)) return std::nullopt;
      layout.sessionTracks.push_back(static_cast<int>(tracks));
    } else if (name == "ETNF" || name == "ETN2") {
      ++layout.trackAtOnceLists;
    }
    chunks.remove_prefix(8 + body.size());
  }
  return layout;
}

int LastSessionFirstTrack(const NrgLayout& layout) {
  if (layout.sessionTracks.size() < 2) return 0;
  int before = 0;
  for (std::size_t i = 0; i + 1 < layout.sessionTracks.size(); ++i)
    before += layout.sessionTracks[i];
  return before > 0 && before < kMaxDiscTracks ? before + 1 : 0;
}

}  // namespace varlo
