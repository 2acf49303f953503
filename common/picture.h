#pragma once
#include <cstdint>
#include <vector>

namespace varlo {

// A colour as skins and the rest of the program hold it: red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Colour c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colour c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// A pixel as a picture stores it: 0xFF, red, green, blue from the top byte down, the layout
// the front end draws from directly, so no skin bitmap is held twice.
using PixelWord = std::uint32_t;

constexpr PixelWord WordOf(Colour c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Colour ColourOf(PixelWord w) {
  return ((w & 0xFFu) << 16) | (w & 0xFF00u) | ((w >> 16) & 0xFFu);
}

// An opaque picture in memory, row by row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<PixelWord> words;

  Picture() = default;
  Picture(int w, int h, Colour fill = 0);

  bool Empty() const { return width <= 0 || height <= 0; }
  Colour At(int x, int y) const { return ColourOf(words[Index(x, y)]); }
  void Set(int x, int y, Colour c) { words[Index(x, y)] = WordOf(c); }
  const PixelWord* Row(int y) const { return &words[Index(0, y)]; }
  PixelWord* Row(int y) { return &words[Index(0, y)]; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
};

// Copies the w x h block of `src` at (sx, sy) into `dst` at (dx, dy), clipped to both pictures.
void CopyPictureRect(const Picture& src, int sx, int sy, int w, int h, Picture& dst, int dx,
                     int dy);

// Gives `pic` the new size, keeping the overlapping top-left part and filling the rest.
void ResizePicture(Picture& pic, int w, int h, Colour fill);

}  // namespace varlo
