#include "ui/region_mask.h"

#include <QPolygon>
#include <QRect>
#include <vector>

namespace varlo {

QRegion RegionMask(const WindowRegion& region) {
  QRegion mask;
  switch (region.kind) {
    case WindowRegion::Kind::None:
      break;
    case WindowRegion::Kind::Rects: {
      std::vector<QRect> rects;
      rects.reserve(region.rects.size());
      for (const RegionRect& r : region.rects) rects.emplace_back(r.left, r.top, r.width, r.height);
      mask.setRects(rects.data(), static_cast<int>(rects.size()));
      break;
    }
    case WindowRegion::Kind::Polygons: {
      // Even-odd filling across all polygons is the exclusive-or of each one's area.
      std::size_t at = 0;
      for (std::int32_t count : region.vertexCounts) {
        QPolygon polygon;
        for (std::int32_t i = 0; i < count && at < region.points.size(); ++i, ++at)
          polygon << QPoint(region.points[at].x, region.points[at].y);
        mask ^= QRegion(polygon, Qt::OddEvenFill);
      }
      break;
    }
  }
  return mask;
}

}  // namespace varlo
