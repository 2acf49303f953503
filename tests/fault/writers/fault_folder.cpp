#include "tests/fault/writers/fault_folder.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/atomic_file.h"

namespace varlo::testing {

namespace fs = std::filesystem;

SmallDisk::SmallDisk(std::string folder, const std::string& size) : folder_(std::move(folder)) {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  const std::string options = "size=" + size + ",mode=0755";
  if (mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0) {
    mounted_ = true;
  } else {
    error_ = "mount -t tmpfs on " + folder_ + " refused: " + std::generic_category().message(errno);
  }
}

SmallDisk::~SmallDisk() {
  // Lazily, so that a file a failed test left open cannot keep the mount.
  if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
}

bool SmallDisk::Fill() {
  const std::string filler = folder_ + "/filler";
  const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const std::string block(4096, 'f');
  bool full = false;
  for (int i = 0; i < 1 << 16 && !full; ++i)
    if (write(fd, block.data(), block.size()) < 0) full = errno == ENOSPC;
  // The last page may still take a few bytes; write them one at a time until none fits.
  for (int i = 0; i < 4096 && full; ++i)
    if (write(fd, "f", 1) < 0) break;
  close(fd);
  return full;
}

std::vector<std::string> TemporariesBelow(const std::string& root) {
  std::vector<std::string> found;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const auto mark = name.rfind(".tmp");
    if (mark != std::string::npos && mark > 0 && IsTemporaryOf(name, name.substr(0, mark)))
      found.push_back(it->path().string());
  }
  return found;
}

std::string FileBytes(const std::string& path) {
  const FileRead read = ReadRegularFile(path, std::size_t{16} << 20);
  return read.status == ReadStatus::kOk ? read.data : std::string();
}

}  // namespace varlo::testing
