#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace varlo {

// The chunk list at the end of a Nero image (".nrg"), read for what the CD library does not
// tell: how many tracks each session holds. Chunks are a four-letter name, a big-endian 32-bit
// length and that many bytes; the file ends in "NER5" and the 64-bit offset of the list, or in
// "NERO" and a 32-bit one. Images are untrusted files: every count and offset is checked.

// The longest chunk list read (a real one holds some bytes per track, and CD-Text).
inline constexpr std::size_t kMaxNrgChunkBytes = std::size_t{1} << 20;
// The footer is at most this long.
inline constexpr std::size_t kNrgFooterBytes = 12;

struct NrgLayout {
  std::vector<int> sessionTracks;  // the tracks of each session in order ("SINF" chunks)
  int trackAtOnceLists = 0;        // "ETNF"/"ETN2" chunks: one list of tracks per session
};

// Where the chunk list of an image of `fileSize` bytes lies, from its last bytes (`tail`, at
// most kNrgFooterBytes of them): its offset and length. Nullopt for a file that is no Nero
// image or whose footer points outside it.
struct NrgChunkSpan {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};
std::optional<NrgChunkSpan> FindNrgChunks(std::string_view tail, std::uint64_t fileSize);

// Reads the chunk list; nullopt when it is broken (a chunk running past the end) or longer than
// kMaxNrgChunkBytes. Reading stops at "END!".
std::optional<NrgLayout> ParseNrgChunks(std::string_view chunks);

// The first track (from 1) of the last session; 0 for an image of one session or none.
int LastSessionFirstTrack(const NrgLayout& layout);

}  // namespace varlo
