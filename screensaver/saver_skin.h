#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_tables.h"
#include "skin/widgets.h"

namespace varlo {

// The part of the skin format the screen saver reads: the bitmap line, the background colour,
// digit displays 1-11, labels 1-9, animations 1-2 and the cover picture. Everything else is
// passed over. Sizes below 1 leave an element out, so nothing drawn from the skin ever divides
// by zero or paints a negative area.
struct SaverLabel {
  bool shown = false;
  int x = 0, y = 0, w = 0, h = 0;
  std::uint32_t colour = 0;  // red + 256 green + 65536 blue
  FontSpec font;
  std::string tip;
};
struct SaverDigit {
  bool shown = false;
  int x = 0, y = 0, width = 0;
  DigitRecord rec;
};
struct SaverAnim {
  bool shown = false;
  AnimRecord rec;
};
struct SaverCover {
  bool shown = false;
  int x = 0, y = 0, w = 0, h = 0;
};

struct SaverSkin {
  std::string mainBitmap;  // full paths, empty when the skin names none
  std::string resourceBitmap;
  std::uint32_t background = 0;
  std::array<SaverLabel, 10> labels{};  // 1-9
  std::array<SaverDigit, 12> digits{};  // 1-11
  std::array<SaverAnim, 3> anims{};     // 1-2
  SaverCover cover;
  std::string info;                  // description and "/" lines
  std::vector<std::string> refused;  // elements beyond their range, not reported
};

// Skin files larger than this are not read.
inline constexpr std::size_t kMaxSaverSkinBytes = std::size_t{1} << 20;

// Reads a skin's text; `folder` (with a trailing slash) is where its bitmaps lie. Nothing when
// the header is not "Varlo Skin".
std::optional<SaverSkin> ParseSaverSkin(std::string_view text, const std::string& folder);

}  // namespace varlo
