#include "fm/station_list.h"

#include <algorithm>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {

std::vector<std::string> ParseStations(std::string_view text) {
  std::vector<std::string> entries;
  text = text.substr(0, kMaxStationsBytes);
  while (!text.empty() && entries.size() < kMaxStations) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = line.substr(0, kMaxStationBytes);
    if (!TrimBlanks(line).empty()) entries.emplace_back(line);
  }
  return entries;
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

std::vector<std::string> LoadStations(const std::string& programFolder) {
  const FileRead read =
      ReadRegularFile(AddSlash(programFolder) + kStationsFile, kMaxStationsBytes, true);
  if (read.status != ReadStatus::kOk && read.status != ReadStatus::kTooLarge) return {};
  return ParseStations(read.data);
}

bool SaveStations(const std::string& programFolder, const std::vector<std::string>& entries) {
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
