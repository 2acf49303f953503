#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/write_status.h"

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

// The entries read from a stations file, and whether they are all of it. A list that is not
// the whole file must not be written back over it: the stations left out would be lost.
struct StationFile {
  std::vector<std::string> entries;
  bool readFailed = false;  // the file is there but could not be read
  bool cut = false;         // stations past the byte or entry bound were left out
  bool shortened = false;   // an entry was cut to its byte bound
  bool Whole() const { return !readFailed && !cut && !shortened; }
};

// The entries of a stations file's text, in order; blank lines are skipped.
StationFile ParseStations(std::string_view text);
// The file's text for `entries`.
std::string StationsText(const std::vector<std::string>& entries);

// "stations.txt" of `programFolder`: its entries (none, and whole, when it is missing), and
// writing them back atomically (the old file kept, and the cause told, when that fails).
StationFile LoadStations(const std::string& programFolder);
WriteStatus SaveStations(const std::string& programFolder, const std::vector<std::string>& entries);
// What the FM display says about a file that was cut: "stations.txt: first 4096 stations shown".
std::string StationsCutText(std::size_t shown);

// A frequency in tenths brought into the band.
std::int32_t BandTenths(std::int32_t tenths);

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
// "087.5 FM".
std::string AddedStation(std::int32_t tenths);
std::string StoredStation(std::int32_t tenths);

// The name of the station picture for a frequency without its extension: "FM087-5" for 87.5.
std::string StationPictureName(std::int32_t tenths);

}  // namespace varlo
