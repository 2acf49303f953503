#include "webradio/station_file.h"

#include <algorithm>
#include <cctype>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {
namespace {

// Whether `text` (blanks skipped) begins with a scheme and "://".
bool StartsWithScheme(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  while (i < text.size() && i < 16 && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
  return i > 0 && text.substr(i, 3) == "://";
}

std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;
}

}  // namespace

WebStation SplitStation(std::string_view text) {
  std::size_t at = text.find('@');
  if (at == std::string_view::npos) return {};
  for (std::size_t i = at; i != std::string_view::npos; i = text.find('@', i + 1)) {
    if (StartsWithScheme(text.substr(i + 1))) {
      at = i;
      break;
    }
  }
  return {std::string(TrimBlanks(text.substr(0, at))),
          std::string(TrimBlanks(text.substr(at + 1)))};
}

std::string StationString(const WebStation& station) {
  return station.name + " @" + station.address;
}

std::vector<WebStation> ParseWebStations(std::string_view text) {
  std::vector<WebStation> stations;
  text = text.substr(0, kMaxWebRadioBytes);
  while (!text.empty() && stations.size() < kMaxWebStations) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = line.substr(0, kMaxWebStationBytes);
    if (!TrimBlanks(line).empty()) stations.push_back(SplitStation(line));
  }
  return stations;
}

std::string WebStationsText(const std::vector<WebStation>& stations) {
  std::string out;
  for (const WebStation& s : stations) {
    // The saved form has no blank after "@".
    out += OneLine(s.name) + " @" + OneLine(s.address);
    out += "\r\n";
  }
  return out;
}

std::vector<WebStation> LoadWebStations(const std::string& programFolder) {
  const FileRead read =
      ReadRegularFile(AddSlash(programFolder) + kWebRadioFile, kMaxWebRadioBytes, true);
  if (read.status != ReadStatus::kOk && read.status != ReadStatus::kTooLarge) return {};
  return ParseWebStations(read.data);
}

WriteStatus SaveWebStations(const std::string& programFolder,
                            const std::vector<WebStation>& stations) {
  return WriteFileAtomic(AddSlash(programFolder) + kWebRadioFile, WebStationsText(stations));
}

}  // namespace varlo
