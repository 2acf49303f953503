#include "cd/disc_database.h"

#include "cd/disc_toc.h"
#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "common/utf8_text.h"

namespace varlo {
namespace {

// A track index key: decimal digits only.
std::optional<int> TrackIndex(std::string_view key) {
  if (key.empty() || key.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<DiscEntry> FindDiscEntry(std::string_view text, std::string_view id) {
  text = text.substr(0, kMaxDiscDatabaseBytes);
  const std::string header = "[" + UpperCase(id) + "]";
  std::optional<DiscEntry> entry;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = TrimBlanks(line);

    if (!trimmed.empty() && trimmed.front() == '[') {
      if (entry) break;  // the next section ends the disc's
      if (UpperCase(trimmed) == header) entry.emplace();
      continue;
    }
    if (!entry) continue;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string key = UpperCase(TrimBlanks(trimmed.substr(0, equals)));
    const std::string_view value = TrimBlanks(trimmed.substr(equals + 1));
    if (key == "NUMTRACKS") {
      entry->numTracks = std::string(value);
    } else if (const auto index = TrackIndex(key); index && *index < kMaxDiscTracks) {
      entry->titles[*index] = PlainTitle(TextAsUtf8(value));
    }
  }
  return entry;
}

std::optional<DiscEntry> LoadDiscEntry(const std::string& programFolder, std::string_view id) {
  const FileRead read =
      ReadRegularFile(AddSlash(programFolder) + kDiscDatabaseFile, kMaxDiscDatabaseBytes, true);
  if (read.status != ReadStatus::kOk && read.status != ReadStatus::kTooLarge) return std::nullopt;
  return FindDiscEntry(read.data, id);
}

std::string TrackCountMismatchText(int discTracks, std::string_view written) {
  return "Number of Tracks do not match! (" + NumToText(discTracks) + " " + std::string(written) +
         ")";
}

}  // namespace varlo
