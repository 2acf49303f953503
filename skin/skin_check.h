#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// One finding of the skin checker. Errors are what the program refuses or cannot do (the
// skin, or part of it, does not work); warnings are what it ignores or does otherwise than
// the skin author probably meant.
struct SkinFinding {
  enum class Level { Error, Warning };
  Level level = Level::Error;
  int line = 0;         // 1-based line of the skin file, 0 for the file as a whole
  std::string element;  // the element's token ("B12", "K3", "R1"), or a header part
  std::string why;
};

// The size of a picture file in pixels, or nothing when it cannot be read as a picture.
struct PictureSize {
  int width = 0;
  int height = 0;
};
using PictureSizer = std::function<std::optional<PictureSize>(const std::string& path)>;

// Pictures larger than this on a side are refused as too large.
inline constexpr int kMaxSkinPictureSide = 4096;

// Checks the skin text `text` of a file in `folder` (where its bitmaps are looked up, without
// regard to case) the way the loader reads it: elements it refuses or ignores, bitmaps that
// are missing, unreadable or too large, rectangles outside the window or the resource bitmap,
// buttons that overlap and hot keys that can never be pressed. Findings come in line order.
std::vector<SkinFinding> CheckSkin(std::string_view text, const std::string& folder,
                                   const PictureSizer& sizeOf);

// "file:line: error: B12: why", one finding per line.
std::string FormatFinding(const std::string& file, const SkinFinding& finding);

}  // namespace varlo
