#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

namespace varlo {

// A rectangle in twips.
struct TwipRect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// A sum or difference of window coordinates, held within the 32 bits positions are kept in.
inline std::int32_t ClampTwips(std::int64_t twips) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      twips, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Edges closer than this to a work-area edge snap onto it.
inline constexpr std::int32_t kSnapTwips = 240;

// Where the window goes when it snaps to the work area: each edge strictly within 240
// twips of the matching work-area edge is put onto it (bottom and right move the window).
TwipRect SnapToWorkArea(TwipRect window, const TwipRect& workArea);

}  // namespace varlo
