#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varlo {

// Reading a playlist stops adding once the list holds this many entries (indices are 16-bit).
inline constexpr std::size_t kMaxPlaylistEntries = 32766;

// The playlist as the main window holds it: display names and full paths, index-aligned,
// and the selected row (-1 for none). A path may be emptied when its file is not found.
// Every operation that changes the lists calls Changed() once when it is done, so a view
// redraws once per load, add or delete and never once per entry.
struct Playlist {
  std::vector<std::string> names;
  std::vector<std::string> paths;
  int selected = -1;
  std::uint64_t revision = 0;
  std::function<void()> onChanged;
  // Called when the player moves the selection to the entry it plays.
  std::function<void()> onSelected;

  int Count() const { return static_cast<int>(paths.size()); }
  void Append(std::string name, std::string path) {
    names.push_back(std::move(name));
    paths.push_back(std::move(path));
  }
  void Changed() {
    ++revision;
    if (batchDepth > 0) {
      batchChanged = true;
    } else if (onChanged) {
      onChanged();
    }
  }

  // Holds back the notification until the outermost batch ends, for operations made of
  // several smaller ones (a drop of many files).
  class Batch {
   public:
    explicit Batch(Playlist& list) : list_(list) { ++list_.batchDepth; }
    ~Batch() {
      if (--list_.batchDepth == 0 && list_.batchChanged) {
        list_.batchChanged = false;
        if (list_.onChanged) list_.onChanged();
      }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    Playlist& list_;
  };

  int batchDepth = 0;
  bool batchChanged = false;
};

}  // namespace varlo
