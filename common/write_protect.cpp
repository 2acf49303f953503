#include "common/write_protect.h"

#include <filesystem>
#include <system_error>

namespace varlo {

namespace {

namespace fs = std::filesystem;

constexpr fs::perms kAnyWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

enum class Entry { Missing, Writable, Protected };

Entry Check(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return Entry::Missing;
  return (status.permissions() & kAnyWrite) == fs::perms::none ? Entry::Protected : Entry::Writable;
}

}  // namespace

bool IsWriteProtected(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  // Links are resolved as far as the path exists: a linked file is written where it lives.
  fs::path target = fs::absolute(path, ec);
  if (ec) return false;
  const fs::path resolved = fs::weakly_canonical(target, ec);
  if (!ec) target = resolved;
  if (Check(target) == Entry::Protected) return true;
  for (fs::path folder = target.parent_path(); !folder.empty(); folder = folder.parent_path()) {
    const Entry entry = Check(folder);
    if (entry != Entry::Missing) return entry == Entry::Protected;
    if (folder == folder.root_path()) break;
  }
  return false;
}

}  // namespace varlo
