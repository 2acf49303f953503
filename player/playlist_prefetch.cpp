#include "player/playlist_prefetch.h"

#include <sys/stat.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace varlo {

bool PlaylistPrefetch::Identity::operator==(const Identity& other) const {
  const auto same = [](const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
  };
  return device == other.device && inode == other.inode && size == other.size &&
         same(modified, other.modified) && same(changed, other.changed);
}

std::optional<PlaylistPrefetch::Identity> PlaylistPrefetch::IdentityOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return Identity{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

PlaylistPrefetch::PlaylistPrefetch(Reader reader) : reader_(std::move(reader)) {}

PlaylistPrefetch::~PlaylistPrefetch() {
  Drop();
}

void PlaylistPrefetch::Start(const std::string& path, int friendlyNames) {
  Drop();
  if (path.empty()) return;
  path_ = path;
  friendlyNames_ = friendlyNames;
  thread_ = std::thread([this] {
    // Taken before the read: a change while it reads makes the file differ from this.
    identity_ = IdentityOf(path_);
    if (identity_) reader_(path_, friendlyNames_, read_);
    ready_ = true;
  });
}

void PlaylistPrefetch::Drop() {
  if (thread_.joinable()) thread_.join();
  read_.names.clear();
  read_.paths.clear();
  identity_.reset();
  ready_ = false;
}

int PlaylistPrefetch::Read(const std::string& path, int friendlyNames, Playlist& list) {
  if (thread_.joinable() && path == path_ && friendlyNames == friendlyNames_) {
    thread_.join();
    if (identity_ && identity_ == IdentityOf(path)) {
      const int added = Take(list);
      Drop();
      return added;
    }
    Drop();
  }
  return reader_(path, friendlyNames, list);
}

int PlaylistPrefetch::Take(Playlist& list) {
  // Read into an empty list: a list that already holds entries has room for fewer, and the
  // read would have stopped there.
  const std::size_t room = kMaxPlaylistEntries - std::min(kMaxPlaylistEntries, list.paths.size());
  const std::size_t n = std::min(room, read_.paths.size());
  if (list.paths.empty() && n == read_.paths.size()) {
    list.names = std::move(read_.names);
    list.paths = std::move(read_.paths);
  } else {
    const auto end = static_cast<std::ptrdiff_t>(n);
    list.names.insert(list.names.end(), std::make_move_iterator(read_.names.begin()),
                      std::make_move_iterator(read_.names.begin() + end));
    list.paths.insert(list.paths.end(), std::make_move_iterator(read_.paths.begin()),
                      std::make_move_iterator(read_.paths.begin() + end));
  }
  return static_cast<int>(n);
}

}  // namespace varlo
