#pragma once
#include <functional>
#include <string>

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

}  // namespace varlo
