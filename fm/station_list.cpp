#include "fm/station_list.h"

#include <algorithm>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {

StationFile ParseStations(std::string_view text) {
  StationFile file;
  if (text.size() > kMaxStationsBytes) {
    // The line the bound falls in is left out rather than shown cut.
    text = text.substr(0, kMaxStationsBytes);
    text = text.substr(0, text.find_last_of("\r\n") + 1);
    file.cut = true;
  }
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (TrimBlanks(line).empty()) continue;
    if (file.entries.size() == kMaxStations) {
      file.cut = true;
      break;
    }
    if (line.size() > kMaxStationBytes) {
      line = line.substr(0, kMaxStationBytes);
      file.shortened = true;
    }
    file.entries.emplace_back(line);
  }
  return file;
}

std::string StationsText(const std::vector<std::string>& entries) {
  std::string out;
  for (const std::string& entry : entries) {
    // An entry is one line: a line break inside one would split it into two.
    std::string line = entry;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out += line;
    out += "\r\n";
  }
  return out;
}

StationFile LoadStations(const std::string& programFolder) {
  // The head of a longer file, one byte past the bound so that the parser sees it was cut.
  const FileRead read =
      ReadRegularFile(AddSlash(programFolder) + kStationsFile, kMaxStationsBytes + 1, true);
  if (read.status == ReadStatus::kMissing) return {};
  if (read.status != ReadStatus::kOk) {
    StationFile failed;
    failed.readFailed = true;
    return failed;
  }
  return ParseStations(read.data);
}

std::string StationsCutText(std::size_t shown) {
  return std::string(kStationsFile) + ": first " + std::to_string(shown) + " stations shown";
}

std::int32_t BandTenths(std::int32_t tenths) {
  return std::clamp(tenths, kBandLow, kBandHigh);
}

WriteStatus SaveStations(const std::string& programFolder,
                         const std::vector<std::string>& entries) {
  return WriteFileAtomic(AddSlash(programFolder) + kStationsFile, StationsText(entries));
}

double StationMhz(std::string_view entry) {
  // The number ends at the first blank; a comma in it is a decimal point written elsewhere.
  std::string number(entry.substr(0, std::min<std::size_t>(entry.find(' '), 32)));
  std::replace(number.begin(), number.end(), ',', '.');
  return LeadingNumber(number);
}

std::int32_t StationTenths(std::string_view entry) {
  return ToInt32(StationMhz(entry) * 10.0);
}

std::string StationName(std::string_view entry) {
  const std::size_t blank = entry.find(' ');
  return blank == std::string_view::npos ? std::string() : std::string(entry.substr(blank + 1));
}

std::string RenamedStation(std::string_view entry, std::string_view name) {
  const std::size_t blank = entry.find(' ');
  std::string renamed = blank == std::string_view::npos ? std::string(entry) + " "
                                                        : std::string(entry.substr(0, blank + 1));
  renamed += name;
  return renamed;
}

std::string AddedStation(std::int32_t tenths) {
  return FormatFixed(tenths / 10.0, 1, 1) + " FM";
}

std::string StoredStation(std::int32_t tenths) {
  return FormatFixed(tenths / 10.0, 3, 1) + " FM";
}

std::string StationPictureName(std::int32_t tenths) {
  std::string text = FormatFixed(tenths / 10.0, 3, 1);
  if (text.size() > 3) text[3] = '-';
  return "FM" + text;
}

}  // namespace varlo
