#include "desk/conversion_file.h"

#include "common/atomic_file.h"
#include "common/file_ignoring_case.h"
#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {

Conversion ParseConversion(std::string_view line) {
  Conversion c;
  const std::size_t first = line.find(',');
  if (first == std::string_view::npos) {
    c.name.assign(line);
    return c;
  }
  c.name.assign(line.substr(0, first));
  const std::string_view rest = line.substr(first + 1);
  c.factor = LeadingNumber(rest);
  const std::size_t second = rest.find(',');
  if (second != std::string_view::npos) c.offset = LeadingNumber(rest.substr(second + 1));
  return c;
}

std::vector<std::string> ConversionLines(std::string_view content) {
  std::vector<std::string> lines;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!TrimBlanks(line).empty()) lines.emplace_back(line);
  }
  return lines;
}

ConversionFile ReadConversionFile(const std::string& path) {
  ConversionFile out;
  std::string found =
      FileExists(path) ? path : FindFileIgnoringCase(GetPath(path), GetFileName(path));
  if (found.empty()) {
    out.status = ConversionRead::kMissing;
    return out;
  }
  FileRead read = ReadRegularFile(found, kMaxConversionFileBytes);
  switch (read.status) {
    case ReadStatus::kOk:
      out.status = ConversionRead::kOk;
      out.lines = ConversionLines(read.data);
      break;
    case ReadStatus::kMissing:
      out.status = ConversionRead::kMissing;
      break;
    case ReadStatus::kTooLarge:
      out.status = ConversionRead::kTooLarge;
      break;
    case ReadStatus::kNotRegular:
    case ReadStatus::kFailed:
      out.status = ConversionRead::kFailed;
      break;
  }
  return out;
}

}  // namespace varlo
