#include "common/program_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"
#include "common/pending_writes.h"

namespace varlo {

namespace fs = std::filesystem;

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

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

// Reads up to `size` bytes, fewer only at the end of the file or on an error.
std::size_t ReadSome(int fd, char* into, std::size_t size) {
  std::size_t have = 0;
  while (have < size) {
    const ssize_t n = read(fd, into + have, size - have);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    have += static_cast<std::size_t>(n);
  }
  return have;
}

class ReadFd {
 public:
  explicit ReadFd(const fs::path& path)
      : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
  ~ReadFd() {
    if (fd_ >= 0) close(fd_);
  }
  ReadFd(const ReadFd&) = delete;
  ReadFd& operator=(const ReadFd&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// True when `copy` holds exactly the first bytes of `shipped`: what a copy cut short leaves.
bool IsCutShortCopy(const fs::path& copy, const fs::path& shipped) {
  ReadFd a(copy);
  ReadFd b(shipped);
  if (a.Get() < 0 || b.Get() < 0) return false;
  std::vector<char> bufA(kChunkBytes);
  std::vector<char> bufB(kChunkBytes);
  for (;;) {
    const std::size_t got = ReadSome(a.Get(), bufA.data(), bufA.size());
    if (got == 0) return true;
    if (ReadSome(b.Get(), bufB.data(), got) != got) return false;
    if (std::memcmp(bufA.data(), bufB.data(), got) != 0) return false;
  }
}

bool CopyAtomically(const fs::path& from, const std::string& to) {
  ReadFd in(from);
  if (in.Get() < 0) return false;
  AtomicWriter out(to);
  std::vector<char> buf(kChunkBytes);
  while (out.Ok()) {
    const ssize_t n = read(in.Get(), buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return out.Commit();
    out.Write(std::string_view(buf.data(), static_cast<std::size_t>(n)));
  }
  return false;
}

}  // namespace

int InstallMissingFiles(const std::string& shippedDir, const std::string& programDir) {
  std::error_code ec;
  fs::create_directories(programDir, ec);
  if (!fs::is_directory(shippedDir, ec)) return 0;
  struct Item {
    fs::path from;
    std::string to;
    std::uintmax_t size;
  };
  std::vector<Item> items;
  for (auto it = fs::recursive_directory_iterator(shippedDir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    // The walk's paths all start with shippedDir: the relative part needs no look at the disk.
    const fs::path rel = it->path().lexically_relative(shippedDir);
    if (rel.empty()) continue;
    const std::uintmax_t size = it->file_size(ec);
    if (ec) continue;
    items.push_back({it->path(), (fs::path(programDir) / rel).string(), size});
  }
  // One look at each copy tells what it is, and where the writer puts its temporaries: beside
  // it, or beside the file a link leads to.
  std::vector<std::string> targets;
  std::vector<const Item*> wanted;
  for (const Item& item : items) {
    struct stat st {};
    if (lstat(item.to.c_str(), &st) != 0) {
      if (errno != ENOENT) continue;
      targets.push_back(item.to);
      wanted.push_back(&item);
      continue;
    }
    if (S_ISLNK(st.st_mode)) {
      if (std::string target = ResolveLinks(item.to); !target.empty()) targets.push_back(target);
      if (stat(item.to.c_str(), &st) != 0) continue;
    } else {
      targets.push_back(item.to);
    }
    // A user's file stays, whatever it holds; only the start of the shipped one, as an
    // interrupted copy leaves it, is taken for a copy of ours.
    if (!S_ISREG(st.st_mode) || static_cast<std::uintmax_t>(st.st_size) >= item.size ||
        !IsCutShortCopy(item.to, item.from))
      continue;
    wanted.push_back(&item);
  }
  RemoveStaleTemporariesOfTargets(targets);

  int written = 0;
  for (const Item* item : wanted)
    if (CopyAtomically(item->from, item->to)) ++written;
  return written;
}

int RemoveStaleProgramTemporaries(const std::string& programDir, const std::string& settingsPath) {
  // The files outside the folder first: the list that names them is then gone too.
  int removed = RemoveStaleTemporariesOfPendingWrites(programDir);
  std::vector<std::string> files;
  for (const std::string_view name : kProgramFolderFiles)
    files.push_back(programDir + "/" + std::string(name));
  files.push_back(programDir + "/" + kPendingWritesFile);
  files.push_back(settingsPath);
  return removed + RemoveStaleTemporaries(files);
}

}  // namespace varlo
