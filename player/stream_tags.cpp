#include "player/stream_tags.h"

#include "common/numtext.h"
#include "common/utf8_text.h"

namespace varlo {

std::string PlainTagText(std::string_view value) {
  // Only the first bytes can survive the cut; a few more leave room for blanks trimmed away.
  const std::string_view head = value.substr(0, StreamTags::kMaxBytes * 4);
  std::string line;
  line.reserve(head.size());
  for (const char c : head) {
    const auto byte = static_cast<unsigned char>(c);
    line += (byte < 0x20 || byte == 0x7F) ? ' ' : c;
  }
  std::string trimmed(TrimBlanks(line));
  trimmed.resize(Utf8PrefixLength(trimmed, StreamTags::kMaxBytes));
  return std::string(TrimBlanks(trimmed));
}

StreamTags PickStreamTags(const std::vector<std::pair<std::string, std::string>>& metadata) {
  StreamTags tags;
  std::size_t looked = 0;
  for (const auto& [key, value] : metadata) {
    if (++looked > kMaxMetadataPairs) break;
    std::string* field = nullptr;
    if (EqualsNoCase(key, "title")) {
      field = &tags.title;
    } else if (EqualsNoCase(key, "artist")) {
      field = &tags.artist;
    } else if (EqualsNoCase(key, "album")) {
      field = &tags.album;
    }
    if (field && field->empty()) *field = PlainTagText(value);
  }
  return tags;
}

}  // namespace varlo
