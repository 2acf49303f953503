#pragma once
#include <array>
#include <cstddef>

namespace varlo {

// One copy out of the resource bitmap: the w x h rectangle at (sx, sy) goes to (dx, dy) in the
// window. All in pixels. A blit of width 0 copies nothing.
struct Blit {
  int sx = 0, sy = 0;
  int w = 0, h = 0;
  int dx = 0, dy = 0;
  bool operator==(const Blit&) const = default;
};

// The cells one digit display shows, left to right. Fixed capacity so that redrawing a display
// never allocates; cells past the capacity would lie far beyond any display and are not kept.
struct DigitBlits {
  static constexpr std::size_t kCapacity = 128;
  std::array<Blit, kCapacity> cells{};
  std::size_t count = 0;

  bool Add(const Blit& b) {
    if (count == kCapacity) return false;
    cells[count++] = b;
    return true;
  }
  const Blit* begin() const { return cells.data(); }
  const Blit* end() const { return cells.data() + count; }
  bool operator==(const DigitBlits& other) const {
    if (count != other.count) return false;
    for (std::size_t i = 0; i < count; ++i)
      if (!(cells[i] == other.cells[i])) return false;
    return true;
  }
};

}  // namespace varlo
