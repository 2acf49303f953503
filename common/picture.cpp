#include "common/picture.h"

#include <algorithm>

#include "common/huge_pages.h"

namespace varlo {

Picture::Picture(int w, int h, Colour fill) : width(w), height(h) {
  const std::size_t count =
      static_cast<std::size_t>(std::max(w, 0)) * static_cast<std::size_t>(std::max(h, 0));
  // A large picture is filled here for the first time: in huge pages, where the system has them.
  words.reserve(count);
  AdviseHugePages(words.data(), count * sizeof(PixelWord));
  words.assign(count, WordOf(fill));
}

void CopyPictureRect(const Picture& src, int sx, int sy, int w, int h, Picture& dst, int dx,
                     int dy) {
  // Clip the source block to the source, then the destination block to the destination.
  if (sx < 0) {
    w += sx;
    dx -= sx;
    sx = 0;
  }
  if (sy < 0) {
    h += sy;
    dy -= sy;
    sy = 0;
  }
  if (dx < 0) {
    w += dx;
    sx -= dx;
    dx = 0;
  }
  if (dy < 0) {
    h += dy;
    sy -= dy;
    dy = 0;
  }
  w = std::min({w, src.width - sx, dst.width - dx});
  h = std::min({h, src.height - sy, dst.height - dy});
  if (w <= 0 || h <= 0) return;
  for (int row = 0; row < h; ++row) {
    const PixelWord* from = src.Row(sy + row) + sx;
    std::copy(from, from + w, dst.Row(dy + row) + dx);
  }
}

void ResizePicture(Picture& pic, int w, int h, Colour fill) {
  Picture resized(std::max(w, 0), std::max(h, 0), fill);
  CopyPictureRect(pic, 0, 0, pic.width, pic.height, resized, 0, 0);
  pic = std::move(resized);
}

}  // namespace varlo
