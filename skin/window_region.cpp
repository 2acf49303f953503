#include "skin/window_region.h"

#include <cstddef>

namespace varlo {
namespace {

struct Run {
  int left, right;  // [left, right)
  bool operator==(const Run&) const = default;
};

// Kept (non-transparent) runs of one row.
void KeptRuns(const Picture& picture, int y, Colour transparent, std::vector<Run>& runs) {
  runs.clear();
  const Colour* row =
      &picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)];
  int x = 0;
  while (x < picture.width) {
    while (x < picture.width && row[x] == transparent) ++x;
    const int start = x;
    while (x < picture.width && row[x] != transparent) ++x;
    if (x > start) runs.push_back({start, x});
  }
}

}  // namespace

WindowRegion BuildTransparentRegion(const Picture& picture, Colour transparent) {
  WindowRegion region;
  region.kind = WindowRegion::Kind::Rects;
  if (picture.Empty()) return region;

  // Rectangles still growing downwards, index-aligned with the previous row's runs.
  std::vector<Run> previous, current;
  std::vector<std::size_t> open;  // index into region.rects for each run of `previous`
  for (int y = 0; y < picture.height; ++y) {
    KeptRuns(picture, y, transparent, current);
    if (current == previous) {
      for (std::size_t i : open) ++region.rects[i].height;
    } else {
      open.clear();
      for (const Run& r : current) {
        open.push_back(region.rects.size());
        region.rects.push_back({r.left, y, r.right - r.left, 1});
      }
      std::swap(previous, current);
    }
  }
  return region;
}

WindowRegion PolygonRegion(const std::vector<ShapePoint>& points) {
  WindowRegion region;
  if (points.size() < 3) return region;
  region.kind = WindowRegion::Kind::Polygons;
  region.points = points;
  region.vertexCounts = {static_cast<std::int32_t>(points.size())};
  return region;
}

WindowRegion MultiPolygonRegion(const std::vector<ShapePoint>& points,
                                const std::vector<std::int32_t>& vertexCounts) {
  WindowRegion region;
  std::size_t total = 0;
  for (std::int32_t c : vertexCounts) {
    if (c < 2) return region;  // a polygon needs at least two vertices to enclose anything
    total += static_cast<std::size_t>(c);
    if (total > points.size()) return region;
  }
  if (vertexCounts.empty()) return region;
  region.kind = WindowRegion::Kind::Polygons;
  region.points.assign(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(total));
  region.vertexCounts = vertexCounts;
  return region;
}

}  // namespace varlo
