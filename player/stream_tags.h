#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varlo {

// Title, artist and album of the open media as its own tags give them (ID3v2 frames, Vorbis
// comments, MP4 atoms ...), read by the media engine. Plain one-line texts, each at most
// kMaxBytes bytes; empty when the media does not say.
struct StreamTags {
  static constexpr std::size_t kMaxBytes = 256;
  std::string title;
  std::string artist;
  std::string album;

  bool Empty() const { return title.empty() && artist.empty() && album.empty(); }
  friend bool operator==(const StreamTags&, const StreamTags&) = default;
};

// Picks title, artist and album out of the key/value pairs an engine reports. Keys compare
// without regard to case ("TITLE" of a Vorbis comment, "title" of ID3v2); the first non-empty
// value of a key wins. Each value is made one line of plain text (control characters become
// blanks, blanks at both ends go) and cut on a character boundary to kMaxBytes. At most
// kMaxMetadataPairs pairs are looked at.
inline constexpr std::size_t kMaxMetadataPairs = 512;
StreamTags PickStreamTags(const std::vector<std::pair<std::string, std::string>>& metadata);

// One value made plain, as above.
std::string PlainTagText(std::string_view value);

}  // namespace varlo
