#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace varlo {

bool WriteFileAtomic(const std::string& path, std::string_view content) {
  std::error_code ec;
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);

  std::string temp = path + ".tmpXXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = true;
  const char* data = content.data();
  std::size_t left = content.size();
  while (ok && left > 0) {
    const ssize_t n = write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else {
      data += n;
      left -= static_cast<std::size_t>(n);
    }
  }
  // Keep the old file's permissions where there is one; mkstemp creates 0600.
  struct stat st {};
  if (ok && stat(path.c_str(), &st) == 0)
    fchmod(fd, st.st_mode & 07777);
  else if (ok)
    fchmod(fd, 0644);
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) unlink(temp.c_str());
  return ok;
}

std::optional<std::string> ReadFileBounded(const std::string& path, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data;
  char buf[65536];
  while (in) {
    in.read(buf, sizeof buf);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (data.size() + got > maxBytes) return std::nullopt;
    data.append(buf, got);
  }
  if (in.bad()) return std::nullopt;
  return data;
}

}  // namespace varlo
