#include "ui/region_mask.h"

#include <QRect>
#include <vector>

namespace varlo {

QRegion RegionMask(const WindowRegion& region) {
  QRegion mask;
  if (region.kind == WindowRegion::Kind::None || region.rects.empty()) return mask;
  std::vector<QRect> rects;
  rects.reserve(region.rects.size());
  for (const RegionRect& r : region.rects) rects.emplace_back(r.left, r.top, r.width, r.height);
  // The rectangles come in bands, as QRegion keeps them, so they are taken as they are.
  mask.setRects(rects.data(), static_cast<int>(rects.size()));
  return mask;
}

}  // namespace varlo
