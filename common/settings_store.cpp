#include "common/settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include "common/atomic_file.h"
#include "common/numtext.h"

namespace varlo {
namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr std::size_t kMaxEntries = 10000;
constexpr auto kLockPause = std::chrono::milliseconds(1);
// How long a save waits for the other program's, and merges again when the file was replaced
// under it, at most: the program's window must not stand still for longer.
constexpr auto kSaveDeadline = std::chrono::milliseconds(80);

// Values may hold any text; line breaks and backslashes are escaped so that one entry
// stays on one line.
std::string Escape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case '0':
        out += '\0';
        break;
      default:
        out += next;
    }
  }
  return out;
}

// Our own files hold text only; anything with a zero byte was written by something else.
bool IsText(std::string_view data) {
  return data.find('\0') == std::string_view::npos;
}

std::string_view WhyUnreadable(const FileRead& read) {
  switch (read.status) {
    case ReadStatus::kTooLarge:
      return "it is larger than 1 MiB";
    case ReadStatus::kNotRegular:
      return "it is not a regular file";
    case ReadStatus::kFailed:
      return "it cannot be opened or read";
    case ReadStatus::kOk:
    case ReadStatus::kMissing:
      break;
  }
  return "it is not text";
}

// Moves a settings file that cannot be read out of the way, so that writing the store
// does not destroy what may still be the user's settings.
WriteStatus KeepAside(const std::string& target, const FileRead& read) {
  const std::string aside = target + ".bad";
  if (std::rename(target.c_str(), aside.c_str()) != 0) {
    const int error = errno;
    std::fprintf(stderr, "Settings file %s cannot be read (%s) nor moved aside: not written\n",
                 target.c_str(), std::string(WhyUnreadable(read)).c_str());
    return WriteStatus::Failed(error);
  }
  std::fprintf(stderr, "Settings file %s cannot be read (%s): kept as %s, a new one is written\n",
               target.c_str(), std::string(WhyUnreadable(read)).c_str(), aside.c_str());
  return {};
}

// What identifies one version of a file: another program's save replaces the inode, an edit
// in place changes the size or the time.
struct Version {
  bool present = false;
  struct stat st {};
};

Version VersionOf(const std::string& path) {
  Version v;
  v.present = stat(path.c_str(), &v.st) == 0;
  return v;
}

bool SameVersion(const Version& a, const Version& b) {
  if (a.present != b.present) return false;
  return !a.present ||
         (a.st.st_dev == b.st.st_dev && a.st.st_ino == b.st.st_ino &&
          a.st.st_size == b.st.st_size && a.st.st_mtim.tv_sec == b.st.st_mtim.tv_sec &&
          a.st.st_mtim.tv_nsec == b.st.st_mtim.tv_nsec);
}

// Holds the lock on a folder for as long as it lives. Waits until `giveUp` at most: a writer
// that cannot get it goes ahead rather than hold up the program.
class FolderLock {
 public:
  FolderLock(const std::string& folder, std::chrono::steady_clock::time_point giveUp)
      : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0 && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(kLockPause);
  }
  ~FolderLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

}  // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {
  const FileRead read = ReadRegularFile(path_, kMaxFileBytes);
  if (read.status == ReadStatus::kOk && IsText(read.data)) Parse(read.data, sections_);
}

void SettingsStore::Parse(std::string_view text, Sections& into) {
  std::string current = std::string(kSettingsSection);
  std::size_t count = 0;
  while (!text.empty() && count < kMaxEntries) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') continue;
    if (trimmed.front() == '[') {
      const auto close = trimmed.find(']');
      if (close != std::string_view::npos)
        current = std::string(TrimBlanks(trimmed.substr(1, close - 1)));
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;  // garbage lines are dropped
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    if (key.empty()) continue;
    Put(into, current, key, Unescape(line.substr(eq + 1)));
    ++count;
  }
}

const std::string* SettingsStore::Find(const Sections& sections, std::string_view section,
                                       std::string_view key) {
  for (const auto& s : sections)
    if (EqualsNoCase(s.name, section))
      for (const auto& e : s.entries)
        if (EqualsNoCase(e.key, key)) return &e.value;
  return nullptr;
}

bool SettingsStore::Put(Sections& sections, std::string_view section, std::string_view key,
                        std::string_view value) {
  auto s = std::find_if(sections.begin(), sections.end(),
                        [&](const Section& x) { return EqualsNoCase(x.name, section); });
  if (s == sections.end()) s = sections.insert(sections.end(), {std::string(section), {}});
  for (auto& e : s->entries)
    if (EqualsNoCase(e.key, key)) {
      if (e.value == value) return false;
      e.value = std::string(value);
      return true;
    }
  s->entries.push_back({std::string(key), std::string(value)});
  return true;
}

std::string SettingsStore::Get(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  const std::string* value = Find(sections_, section, key);
  return value ? *value : std::string(fallback);
}

bool SettingsStore::Has(std::string_view section, std::string_view key) const {
  return Find(sections_, section, key) != nullptr;
}

void SettingsStore::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!Put(sections_, section, key, value)) return;
  for (auto& c : changed_)
    if (EqualsNoCase(c.section, section) && EqualsNoCase(c.key, key)) {
      c.onlyIfAbsent = false;  // a real change replaces a default given earlier
      return;
    }
  changed_.push_back({std::string(section), std::string(key)});
}

void SettingsStore::SetDefault(std::string_view section, std::string_view key,
                               std::string_view value) {
  if (Find(sections_, section, key)) return;
  Put(sections_, section, key, value);
  changed_.push_back({std::string(section), std::string(key), true});
}

std::string SettingsStore::Serialise(const Sections& sections) {
  std::string out;
  for (const auto& s : sections) {
    out += "[" + s.name + "]\n";
    for (const auto& e : s.entries) out += e.key + "=" + Escape(e.value) + "\n";
    out += "\n";
  }
  return out;
}

std::string SettingsStore::Serialise() const {
  return Serialise(sections_);
}

void SettingsStore::ApplyChanges(Sections& disk) const {
  for (const auto& c : changed_)
    if (const std::string* value = Find(sections_, c.section, c.key);
        value && !(c.onlyIfAbsent && Find(disk, c.section, c.key)))
      Put(disk, c.section, c.key, *value);
}

WriteStatus SettingsStore::Save() {
  const std::string target = ResolveLinks(path_);
  if (target.empty()) return WriteStatus::Failed(ELOOP);
  const std::string folder = std::filesystem::path(target).parent_path().string();
  std::error_code ec;
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  // The lock makes two programs' saves take turns; one that waited too long goes ahead, and
  // then the version check before the rename catches a save that came in between.
  const auto deadline = std::chrono::steady_clock::now() + kSaveDeadline;
  for (;;) {
    const FolderLock lock(folder.empty() ? "." : folder, deadline);
    const Version read = VersionOf(target);
    Sections merged;
    const FileRead disk = ReadRegularFile(target, kMaxFileBytes);
    if (disk.status == ReadStatus::kOk && IsText(disk.data)) {
      Parse(disk.data, merged);
    } else if (disk.status == ReadStatus::kMissing || disk.status == ReadStatus::kNotRegular) {
      // A first start, or the file was removed: what is held here is all there is. A folder
      // in the file's place is not ours to move: the rename fails on it with its cause.
      merged = sections_;
    } else {
      if (const WriteStatus aside = KeepAside(target, disk); !aside) return aside;
      merged = sections_;
    }
    ApplyChanges(merged);

    AtomicWriter writer(target);
    if (writer.Write(Serialise(merged)) &&
        writer.Commit([&] { return SameVersion(read, VersionOf(target)); })) {
      changed_.clear();
      return {};
    }
    const WriteStatus failed = writer.Status();
    if (failed.Error() != EAGAIN || std::chrono::steady_clock::now() >= deadline) return failed;
  }
}

std::string ReadSetting(const SettingsStore& store, std::string_view key,
                        std::string_view fallback) {
  return store.Get(kSettingsSection, key, fallback);
}

std::int16_t ReadSettingNum(const SettingsStore& store, std::string_view key,
                            std::string_view fallback) {
  return ToInt16(LeadingNumber(ReadSetting(store, key, fallback)));
}

void WriteSetting(SettingsStore& store, std::string_view key, std::string_view value) {
  store.Set(kSettingsSection, key, value);
}

void WriteSettingOrDefault(SettingsStore& store, std::string_view key, std::string_view value,
                           std::string_view fallback) {
  if (value == fallback && !store.Has(kSettingsSection, key)) {
    store.SetDefault(kSettingsSection, key, value);
  } else {
    store.Set(kSettingsSection, key, value);
  }
}

std::string DefaultSettingsPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.config";
  }
  return base + "/varlo/varlo.ini";
}

}  // namespace varlo
