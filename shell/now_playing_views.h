#pragma once
#include <functional>
#include <string>
#include <vector>

namespace varlo {

// What the two cover images show: the main window's `iCover` and the cover window's `Cover`.
// Paths are picture files; empty shows no picture.
struct CoverPictures {
  std::string picture;
  std::string tip;
  std::string albumPicture;
  std::string albumTip;
  // Called after any of the four changed.
  std::function<void()> onChanged;

  void Changed() const {
    if (onChanged) onChanged();
  }
};

// The rows of the lyric list and its selected row (-1 for none).
struct LyricList {
  std::vector<std::string> lines;
  int selected = -1;
  // The rows changed (the view refills and scrolls to the top).
  std::function<void()> onChanged;
  // Only the selection moved.
  std::function<void()> onSelected;
};

}  // namespace varlo
