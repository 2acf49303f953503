#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What the tag plugin (libvarlo_tags.so) hands over of a media file's tags: the plugin is the
// only part of the program linked against TagLib, so that the library is loaded only when the
// first file is looked into, off the GUI thread.
namespace varlo {

// Pictures larger than this are not taken.
inline constexpr std::size_t kMaxEmbeddedPictureBytes = std::size_t{16} << 20;
// Lyrics longer than this are cut.
inline constexpr std::size_t kMaxEmbeddedLyricBytes = std::size_t{4} << 20;

struct EmbeddedTags {
  // The encoded front cover (JPEG, PNG ...), else the first picture; empty for none.
  std::string picture;
  // Lyrics stored as text, UTF-8.
  std::string lyrics;
  // Synchronised lyrics: times and UTF-8 texts, in milliseconds or, with `syncedInFrames`, MPEG
  // frames.
  std::vector<std::pair<std::int64_t, std::string>> synced;
  bool syncedInFrames = false;
};

// Fills `out` from the tags of the regular file `path`; false when it is no file TagLib reads.
// Reads at most a bounded amount of the file whatever its tags claim. Thread-safe.
bool ReadEmbeddedTags(const std::string& path, EmbeddedTags& out);

}  // namespace varlo

// The plugin's one export: ReadEmbeddedTags.
using VarloReadEmbeddedTags = bool (*)(const char* path, varlo::EmbeddedTags* out);
inline constexpr const char* kVarloReadEmbeddedTags = "varlo_read_embedded_tags";
