// A stations file from outside: any bytes must read without fault into bounded entries that
// write back and read again the same, and every entry must give a frequency, a name, a renamed
// entry and a picture name without fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fm/station_list.h"
#include "fuzz/fuzz_check.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const varlo::StationFile file = varlo::ParseStations(text);
  const std::vector<std::string>& entries = file.entries;
  // Whatever fits within the bounds reads whole.
  Check(file.Whole() || size > varlo::kMaxStationBytes);
  Check(entries.size() <= varlo::kMaxStations);
  for (const std::string& entry : entries) {
    Check(!entry.empty() && entry.size() <= varlo::kMaxStationBytes);
    Check(entry.find_first_of("\r\n") == std::string::npos);
    const double mhz = varlo::StationMhz(entry);
    Check(!std::isnan(mhz));
    const std::int32_t tenths = varlo::StationTenths(entry);
    Check(varlo::StationName(entry).size() < entry.size());
    Check(varlo::RenamedStation(entry, "Jazz").size() <= entry.size() + 5);
    if (tenths >= varlo::kBandLow && tenths <= varlo::kBandHigh) {
      Check(varlo::StationPictureName(tenths).size() == 7);
      Check(varlo::StationTenths(varlo::StoredStation(tenths)) == tenths);
      Check(varlo::StationTenths(varlo::AddedStation(tenths)) == tenths);
    }
  }
  const varlo::StationFile again = varlo::ParseStations(varlo::StationsText(entries));
  Check(again.entries == entries);
  return 0;
}
