// Tags the media engine reports from a file's own metadata: any keys and values must give one
// line of plain text per field, within its bound and never cut inside a character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/utf8_text.h"
#include "player/stream_tags.h"

namespace {

// Lines "key=value", one pair each; a line without "=" is a key with an empty value.
std::vector<std::pair<std::string, std::string>> Pairs(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    const std::size_t eq = line.find('=');
    pairs.emplace_back(std::string(line.substr(0, eq)), eq == std::string_view::npos
                                                            ? std::string()
                                                            : std::string(line.substr(eq + 1)));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return pairs;
}

void CheckField(const std::string& field) {
  if (field.size() > varlo::StreamTags::kMaxBytes) std::abort();
  if (varlo::Utf8PrefixLength(field, field.size()) != field.size()) std::abort();
  for (const char c : field) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) std::abort();
  }
  if (!field.empty() && (field.front() == ' ' || field.back() == ' ')) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const varlo::StreamTags tags = varlo::PickStreamTags(Pairs(text));
  CheckField(tags.title);
  CheckField(tags.artist);
  CheckField(tags.album);
  CheckField(varlo::PlainTagText(text));
  return 0;
}
