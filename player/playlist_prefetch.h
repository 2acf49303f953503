#pragma once
#include <sys/types.h>

#include <atomic>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "player/playlist.h"
#include "player/playlist_file.h"

namespace varlo {

// A playlist file read on a thread of its own before it is wanted: a start begins reading the
// list it is going to open while the toolkit, the window and the skin are made, and the
// playlist's own read then takes the entries instead of reading the file again. What is taken
// is exactly what reading the file then would give: the same entries, cut at the same limit,
// and only while the file is the one that was read (same file, size and times of change).
class PlaylistPrefetch {
 public:
  // Reads a playlist file into a list as ReadPlaylistFile does (which tests may count).
  using Reader = std::function<int(const std::string& path, int friendlyNames, Playlist& list)>;

  explicit PlaylistPrefetch(Reader reader = ReadPlaylistFile);
  ~PlaylistPrefetch();
  PlaylistPrefetch(const PlaylistPrefetch&) = delete;
  PlaylistPrefetch& operator=(const PlaylistPrefetch&) = delete;

  // Begins reading `path` with `friendlyNames` as ReadPlaylistFile does; an empty path reads
  // nothing. A read begun before and not taken is given up first.
  void Start(const std::string& path, int friendlyNames);
  // Appends the entries of playlist file `path` to `list` as ReadPlaylistFile(path,
  // friendlyNames, list) does and returns how many: from the read begun for the same path and
  // names (waiting for it to end) while the file is unchanged, else read now.
  int Read(const std::string& path, int friendlyNames, Playlist& list);
  // Gives up a read that was not taken, waiting for it to end.
  void Drop();
  // Whether a read has been begun and neither taken nor given up.
  bool Pending() const { return thread_.joinable(); }
  // Whether the read begun has ended: taking it then waits for nothing.
  bool Ready() const { return ready_; }

 private:
  // What tells one state of a file from another.
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const Identity& other) const;
  };
  static std::optional<Identity> IdentityOf(const std::string& path);
  // Moves the read entries into `list`, as many as it has room for.
  int Take(Playlist& list);

  Reader reader_;
  std::string path_;
  int friendlyNames_ = 0;
  std::atomic<bool> ready_ = false;
  std::thread thread_;
  // Written by the thread, read after it has been joined.
  Playlist read_;
  std::optional<Identity> identity_;
};

}  // namespace varlo
