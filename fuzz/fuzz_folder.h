#pragma once
// A scratch folder for fuzz targets that read files: made once per process, in memory where there
// is a /dev/shm, and removed when the process ends.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace varlo::fuzz {

inline std::string& FolderMade() {
  static std::string dir;
  return dir;
}

inline void RemoveFolderMade() {
  std::error_code ec;
  std::filesystem::remove_all(FolderMade(), ec);
}

// The folder, named after `name`; the first call makes it.
inline const std::string& FuzzFolder(const char* name) {
  static const std::string dir = [name] {
    std::error_code ec;
    const bool shm = std::filesystem::is_directory("/dev/shm", ec);
    std::string d =
        (shm ? std::string("/dev/shm") : std::filesystem::temp_directory_path().string()) +
        "/varlo-" + name + "-fuzz-XXXXXX";
    if (!mkdtemp(d.data())) std::abort();
    FolderMade() = d;
    std::atexit(RemoveFolderMade);
    return d;
  }();
  return dir;
}

}  // namespace varlo::fuzz
