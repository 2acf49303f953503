#include "player/auto_list.h"

#include <optional>
#include <string_view>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {
namespace {

constexpr std::size_t kMaxAutoListBytes = std::size_t{1} << 20;

}  // namespace

void ReadAutoList(const std::string& programFolder, std::vector<std::string>& list) {
  const std::optional<std::string> text =
      ReadFileBounded(AddSlash(programFolder) + kAutoListFile, kMaxAutoListBytes);
  if (!text) return;
  std::string_view rest(*text);
  while (!rest.empty()) {
    const auto end = rest.find_first_of("\r\n");
    const std::string_view line = TrimBlanks(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty()) list.emplace_back(line);
  }
}

WriteStatus WriteAutoList(const std::string& programFolder, const std::vector<std::string>& list) {
  std::string out;
  for (const auto& line : list) {
    out += line;
    out += "\r\n";
  }
  return WriteFileAtomic(AddSlash(programFolder) + kAutoListFile, out);
}

}  // namespace varlo
