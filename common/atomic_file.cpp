#include "common/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <system_error>

#include "common/write_protect.h"

namespace varlo {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as many as the kernel follows in one lookup
constexpr int kNameTries = 100;
constexpr std::string_view kTempMark = ".tmp";
constexpr std::size_t kTempLetters = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsTempLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string RandomLetters() {
  thread_local std::minstd_rand engine(static_cast<unsigned>(
      std::random_device{}() ^ static_cast<unsigned>(getpid()) ^
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())));
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string letters(kTempLetters, 'A');
  for (char& c : letters) c = kLetters[pick(engine)];
  return letters;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True while `path` still names the file open as `fd`.
bool StillNamed(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 && SameFile(opened, named);
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string ParentOf(const std::string& path) {
  const std::string parent = fs::path(path).parent_path().string();
  return parent.empty() ? std::string(".") : parent;
}

void SyncFolder(const std::string& folder) {
  // The file is already safe when this fails; the rename may then not survive a crash.
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  fsync(dir);
  close(dir);
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = readlink(current.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return {};
    target.resize(static_cast<std::size_t>(n));
    current = target.front() == '/' ? target : (fs::path(ParentOf(current)) / target).string();
  }
  return {};
}

AtomicWriter::AtomicWriter(const std::string& path) : target_(ResolveLinks(path)) {
  if (target_.empty()) {
    Fail(ELOOP);  // a loop of links, or a link that cannot be read
    return;
  }
  // Replacing by rename needs only the folder, so a file marked read-only would go as well.
  if (IsWriteProtected(target_)) {
    Fail(EACCES);
    return;
  }
  std::error_code ec;
  fs::create_directories(ParentOf(target_), ec);
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    std::string temp = target_ + std::string(kTempMark) + RandomLetters();
    // 0666 lets the umask decide a new file's mode, as for any file the user creates.
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      Fail();
      return;
    }
    // A clean-up that found the file in the instant before the lock may hold it or have
    // removed it; then start again under another name.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, temp)) {
      fd_ = fd;
      temp_ = std::move(temp);
      return;
    }
    close(fd);
  }
  Fail(EEXIST);  // every name tried was taken
}

AtomicWriter::~AtomicWriter() {
  Abandon();
}

void AtomicWriter::Abandon() {
  if (fd_ < 0) return;
  unlink(temp_.c_str());
  close(fd_);
  fd_ = -1;
}

bool AtomicWriter::Fail(int error) {
  if (error == 0) error = errno;
  if (error_ == 0) error_ = error != 0 ? error : EIO;
  Abandon();
  return false;
}

bool AtomicWriter::Write(std::string_view data) {
  if (fd_ < 0) return false;
  if (WriteAll(fd_, data)) return true;
  return Fail();
}

bool AtomicWriter::Commit(const std::function<bool()>& unchanged) {
  if (fd_ < 0) return false;
  struct stat old {};
  if (stat(target_.c_str(), &old) == 0) {
    if (fchmod(fd_, old.st_mode & 07777) != 0) return Fail();
    if ((old.st_uid != geteuid() || old.st_gid != getegid()) &&
        fchown(fd_, old.st_uid, old.st_gid) != 0) {
      // Only the owner's group or root may give a file away; the mode bits still hold.
    }
  }
  // The rename happens while the lock is held, so no clean-up can take the file first.
  if (fsync(fd_) != 0) return Fail();
  if (unchanged && !unchanged()) return Fail(EAGAIN);
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) return Fail();
  close(fd_);
  fd_ = -1;
  SyncFolder(ParentOf(target_));
  return true;
}

WriteStatus WriteFileAtomic(const std::string& path, std::string_view content) {
  AtomicWriter writer(path);
  if (writer.Write(content)) writer.Commit();
  return writer.Status();
}

bool IsTemporaryOf(std::string_view name, std::string_view base) {
  if (base.empty() || name.size() != base.size() + kTempMark.size() + kTempLetters) return false;
  if (name.substr(0, base.size()) != base) return false;
  if (name.substr(base.size(), kTempMark.size()) != kTempMark) return false;
  const std::string_view letters = name.substr(base.size() + kTempMark.size());
  return std::all_of(letters.begin(), letters.end(), IsTempLetter);
}

int RemoveStaleTemporaries(const std::vector<std::string>& files) {
  std::vector<std::string> targets;
  for (const std::string& file : files)
    if (std::string target = ResolveLinks(file); !target.empty()) targets.push_back(target);
  return RemoveStaleTemporariesOfTargets(targets);
}

int RemoveStaleTemporariesOfTargets(const std::vector<std::string>& targets) {
  std::map<std::string, std::set<std::string>> namesByFolder;
  for (const std::string& target : targets) {
    const fs::path p(target);
    if (!p.has_filename()) continue;
    namesByFolder[ParentOf(target)].insert(p.filename().string());
  }
  int removed = 0;
  for (const auto& [folder, names] : namesByFolder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) continue;
    while (const dirent* entry = readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name.size() <= kTempMark.size() + kTempLetters) continue;
      const std::string base(name.substr(0, name.size() - kTempMark.size() - kTempLetters));
      if (!names.count(base) || !IsTemporaryOf(name, base)) continue;
      const std::string path = folder + "/" + std::string(name);
      struct stat st {};
      if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
      if (fd < 0) continue;
      // A writer holds its temporary locked until it is renamed into place.
      if (flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, path) && unlink(path.c_str()) == 0)
        ++removed;
      close(fd);
    }
    closedir(dir);
  }
  return removed;
}

FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, bool keepHead) {
  FileRead result;
  struct stat st {};
  // Checked before opening, so that opening never touches a device (a serial line or a
  // tape would act on it); checked again on the open file in case the name changed hands.
  if (stat(path.c_str(), &st) != 0) {
    result.status =
        errno == ENOENT || errno == ENOTDIR ? ReadStatus::kMissing : ReadStatus::kFailed;
    return result;
  }
  if (!S_ISREG(st.st_mode)) {
    result.status = ReadStatus::kNotRegular;
    return result;
  }
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    result.status = errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
    return result;
  }
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    result.status = ReadStatus::kNotRegular;
    return result;
  }
  const auto size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
  if (size > maxBytes && !keepHead) {
    close(fd);
    result.status = ReadStatus::kTooLarge;
    return result;
  }
  // One byte more than allowed tells a file that grew since fstat from one that did not.
  const std::size_t limit = keepHead ? maxBytes : maxBytes + 1;
  std::string data(std::min(size, maxBytes), '\0');
  std::size_t have = 0;
  char spare[4096];
  result.status = ReadStatus::kOk;
  while (have < limit) {
    char* into = have < data.size() ? data.data() + have : spare;
    const std::size_t room =
        have < data.size() ? data.size() - have : std::min(sizeof spare, limit - have);
    const ssize_t n = read(fd, into, room);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.status = ReadStatus::kFailed;
      break;
    }
    if (n == 0) break;
    if (into == spare) data.append(spare, static_cast<std::size_t>(n));
    have += static_cast<std::size_t>(n);
  }
  close(fd);
  if (result.status != ReadStatus::kOk) return result;
  data.resize(have);
  if (data.size() > maxBytes) {
    if (!keepHead) {
      result.status = ReadStatus::kTooLarge;
      return result;
    }
    data.resize(maxBytes);
  }
  result.data = std::move(data);
  return result;
}

std::optional<std::string> ReadFileBounded(const std::string& path, std::size_t maxBytes) {
  FileRead read = ReadRegularFile(path, maxBytes);
  if (read.status != ReadStatus::kOk) return std::nullopt;
  return std::move(read.data);
}

std::string ReadFileHead(const std::string& path, std::size_t maxBytes) {
  FileRead read = ReadRegularFile(path, maxBytes, true);
  return read.status == ReadStatus::kOk ? std::move(read.data) : std::string();
}

}  // namespace varlo
