#include "shell/window_snap.h"

namespace varlo {
namespace {
bool Near(std::int64_t a, std::int64_t b) {
  return a - b > -kSnapTwips && a - b < kSnapTwips;
}
}  // namespace

TwipRect SnapToWorkArea(TwipRect w, const TwipRect& area) {
  if (Near(w.top, area.top)) w.top = area.top;
  if (Near(w.left, area.left)) w.left = area.left;
  const std::int64_t bottom = std::int64_t{area.top} + area.height;
  const std::int64_t right = std::int64_t{area.left} + area.width;
  if (Near(std::int64_t{w.top} + w.height, bottom)) w.top = ClampTwips(bottom - w.height);
  if (Near(std::int64_t{w.left} + w.width, right)) w.left = ClampTwips(right - w.width);
  return w;
}

}  // namespace varlo
