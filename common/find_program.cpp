#include "common/find_program.h"

#include <unistd.h>

#include <filesystem>

namespace varlo {

std::string FindOnPath(std::string_view name, std::string_view searchPath) {
  if (name.empty() || name.find('/') != std::string_view::npos) return {};
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string_view::npos) end = searchPath.size();
    std::string folder(searchPath.substr(start, end - start));
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + std::string(name);
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return {};
}

}  // namespace varlo
