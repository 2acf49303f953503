#include "shell/window_snap.h"

namespace varlo {
namespace {
bool Near(std::int32_t a, std::int32_t b) {
  return a - b > -kSnapTwips && a - b < kSnapTwips;
}
}  // namespace

TwipRect SnapToWorkArea(TwipRect w, const TwipRect& area) {
  if (Near(w.top, area.top)) w.top = area.top;
  if (Near(w.left, area.left)) w.left = area.left;
  const std::int32_t bottom = area.top + area.height, right = area.left + area.width;
  if (Near(w.top + w.height, bottom)) w.top = bottom - w.height;
  if (Near(w.left + w.width, right)) w.left = right - w.width;
  return w;
}

}  // namespace varlo
