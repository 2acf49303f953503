#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace varlo {

// The local disc database "cdplayer.ini" in the program folder: sections headed by
// "[" + disc identifier + "]", each with key=value lines. The keys read are "NUMTRACKS" and
// the track indexes ("0" is the first track's title); "ARTIST", "TITLE", "ORDER" and any
// other key (other players write "EntryType" and "numplay") are ignored. Titles are UTF-8 or,
// as such files were written for years, in the Latin-1 code page.

inline constexpr const char* kDiscDatabaseFile = "cdplayer.ini";
// Reads take at most this much of the file.
inline constexpr std::size_t kMaxDiscDatabaseBytes = std::size_t{4} << 20;

// A disc's section, read whole.
struct DiscEntry {
  std::optional<std::string> numTracks;  // the value of "NUMTRACKS" as written
  std::map<int, std::string> titles;     // by 0-based track index, below 99
};

// The section of disc `id` (header compared without regard to case) in the database text;
// nullopt when there is none. Lines end at LF or CR LF.
std::optional<DiscEntry> FindDiscEntry(std::string_view text, std::string_view id);

// The section of disc `id` in "cdplayer.ini" of `programFolder`; nullopt when the file or
// the section is missing or the file cannot be read.
std::optional<DiscEntry> LoadDiscEntry(const std::string& programFolder, std::string_view id);

// The message shown when a section's track count is not the disc's.
std::string TrackCountMismatchText(int discTracks, std::string_view written);

}  // namespace varlo
