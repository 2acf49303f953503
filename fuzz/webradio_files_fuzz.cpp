// A station list "webradio.txt" or an address history "url-list.txt" from outside: any bytes
// must read without fault into bounded entries that write back and read again the same; the
// history stays unique and bounded whatever is added to it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "webradio/station_file.h"
#include "webradio/url_history.h"
#include "webradio/web_address.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<varlo::WebStation> stations = varlo::ParseWebStations(text);
  Check(stations.size() <= varlo::kMaxWebStations);
  bool roundTrips = true;
  for (const varlo::WebStation& s : stations) {
    const std::string line = varlo::StationString(s);
    Check(line.size() <= varlo::kMaxWebStationBytes + 2);
    Check(line.find_first_of("\r\n") == std::string::npos);
    // A line at the bound grows by the blank before "@" and is cut when read again.
    if (line.size() >= varlo::kMaxWebStationBytes) roundTrips = false;
    if (varlo::IsStreamAddress(s.address)) Check(varlo::AddressScheme(s.address).size() >= 4);
  }
  if (roundTrips) Check(varlo::ParseWebStations(varlo::WebStationsText(stations)) == stations);

  std::vector<std::string> history = varlo::ParseUrlList(text);
  Check(history.size() <= varlo::kMaxUrlHistory);
  Check(std::set<std::string>(history.begin(), history.end()).size() == history.size());
  for (const std::string& a : history) {
    Check(!a.empty() && a.size() <= varlo::kMaxUrlBytes);
    Check(a.find_first_of("\r\n") == std::string::npos);
  }
  Check(varlo::ParseUrlList(varlo::UrlListText(history)) == history);
  const std::string_view added = text.substr(0, std::min<std::size_t>(text.size(), 64));
  varlo::AddToHistory(history, added);
  Check(history.size() <= varlo::kMaxUrlHistory);
  Check(std::set<std::string>(history.begin(), history.end()).size() == history.size());
  // Whatever the address, the link rule never lets a blank or a line break through.
  if (varlo::IsOpenableLink(added)) Check(added.find_first_of(" \t\r\n") == std::string_view::npos);
  return 0;
}
