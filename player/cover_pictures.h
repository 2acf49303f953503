#pragma once
#include <functional>
#include <memory>
#include <string>

#include "common/picture.h"

namespace varlo {

// What the two cover images show: the main window's `iCover` and the cover window's `Cover`.
// Paths are picture files; empty shows no picture. A picture read from inside a media file is
// held decoded in `image` (`albumImage`), which is then shown, and the path names that media
// file.
struct CoverPictures {
  std::string picture;
  std::string tip;
  std::shared_ptr<const Picture> image;
  std::string albumPicture;
  std::string albumTip;
  std::shared_ptr<const Picture> albumImage;
  // Called after any of them changed.
  std::function<void()> onChanged;

  void Changed() const {
    if (onChanged) onChanged();
  }
};

}  // namespace varlo
