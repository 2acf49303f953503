#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// The preset list of the FM mode and its file "stations.txt" in the program folder: one entry
// per line (CR LF), each the frequency in MHz, a blank, then the station name or "FM".

inline constexpr const char* kStationsFile = "stations.txt";
// Reads stop at this many bytes, entries and bytes per entry.
inline constexpr std::size_t kMaxStationsBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxStations = 4096;
inline constexpr std::size_t kMaxStationBytes = 512;

// The band, in tenths of a megahertz.
inline constexpr std::int32_t kBandLow = 870;
inline constexpr std::int32_t kBandHigh = 1080;

// The entries of a stations file's text, in order; blank lines are skipped.
std::vector<std::string> ParseStations(std::string_view text);
// The file's text for `entries`.
std::string StationsText(const std::vector<std::string>& entries);

// "stations.txt" of `programFolder`: its entries (none when missing or unreadable), and
// writing them back atomically (false, the old file kept, when that fails).
std::vector<std::string> LoadStations(const std::string& programFolder);
bool SaveStations(const std::string& programFolder, const std::vector<std::string>& entries);

// The frequency an entry begins with, in MHz: "87.5 FM", "087.5 Jazz" and a foreign "87,5 FM"
// all give 87.5; an entry not beginning with a number gives 0.
double StationMhz(std::string_view entry);
// The same in tenths of a megahertz, rounded.
std::int32_t StationTenths(std::string_view entry);
// Everything after the entry's first blank ("FM" for an unnamed entry).
std::string StationName(std::string_view entry);
// The entry with its name replaced: its text up to and including the first blank, then
// `name`. An entry without a blank keeps all of its text before the new name.
std::string RenamedStation(std::string_view entry, std::string_view name);

// The entries the add command and store mode make for a frequency in tenths: "87.5 FM" and
// "087.5 FM"; and the filler store mode pads a short list with.
std::string AddedStation(std::int32_t tenths);
std::string StoredStation(std::int32_t tenths);
inline constexpr const char* kFillerStation = "088.0 FM";

// The name of the station picture for a frequency without its extension: "FM087-5" for 87.5.
std::string StationPictureName(std::int32_t tenths);

}  // namespace varlo
