#pragma once
#include <cstdint>

namespace varlo {

// A rectangle in twips.
struct TwipRect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// Edges closer than this to a work-area edge snap onto it.
inline constexpr std::int32_t kSnapTwips = 240;

// Where the window goes when it snaps to the work area: each edge strictly within 240
// twips of the matching work-area edge is put onto it (bottom and right move the window).
TwipRect SnapToWorkArea(TwipRect window, const TwipRect& workArea);

}  // namespace varlo
