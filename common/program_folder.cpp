#include "common/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace varlo {

std::string ProgramFolder() {
  if (const char* home = std::getenv("VARLO_HOME"); home && *home) {
    std::string p = home;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
  }
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    return std::string(xdg) + "/varlo";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share/varlo";
}

int InstallMissingFiles(const std::string& shippedDir, const std::string& programDir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(programDir, ec);
  if (!fs::is_directory(shippedDir, ec)) return 0;
  int copied = 0;
  for (auto it = fs::recursive_directory_iterator(shippedDir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const fs::path rel = fs::relative(it->path(), shippedDir, ec);
    if (ec) continue;
    const fs::path target = fs::path(programDir) / rel;
    if (fs::exists(target, ec)) continue;
    fs::create_directories(target.parent_path(), ec);
    if (fs::copy_file(it->path(), target, fs::copy_options::skip_existing, ec)) ++copied;
  }
  return copied;
}

}  // namespace varlo
