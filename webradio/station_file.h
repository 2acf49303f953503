#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/write_status.h"

namespace varlo {

// Internet stations as the web-radio mode keeps them: a station string is a name, "@" and a
// stream address ("Jazz FM @http://host/stream"); "webradio.txt" in the program folder holds
// one per line, CR LF, in list order.

inline constexpr const char* kWebRadioFile = "webradio.txt";
// Reads stop at this many bytes, lines and bytes per line.
inline constexpr std::size_t kMaxWebRadioBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxWebStations = 4096;
inline constexpr std::size_t kMaxWebStationBytes = 2048;
// What an entry without a name shows in the list.
inline constexpr const char* kUnnamedStation = "Unnamed Station";

struct WebStation {
  std::string name;
  std::string address;
  bool operator==(const WebStation&) const = default;
};

// Splits a station string. The separator is the first "@" that an address with a scheme
// ("http://", "https://", ...) follows, so that names holding "@" survive; without such an
// "@", the first "@" separates. Both parts are trimmed; a text without "@" gives two empty parts.
WebStation SplitStation(std::string_view text);
// "name @address", the form the list saves and the edit box shows.
std::string StationString(const WebStation& station);

// The stations of a file's text, in order; blank lines are skipped. Lines longer than the
// bound are cut there.
std::vector<WebStation> ParseWebStations(std::string_view text);
// The file's text for `stations` (line breaks inside a name or address become blanks).
std::string WebStationsText(const std::vector<WebStation>& stations);

// "webradio.txt" of `programFolder`: its stations (none when missing or unreadable), and
// writing them back atomically (the old file kept, and the cause told, when that fails).
std::vector<WebStation> LoadWebStations(const std::string& programFolder);
WriteStatus SaveWebStations(const std::string& programFolder,
                            const std::vector<WebStation>& stations);

}  // namespace varlo
