#pragma once
#include <cstdint>
#include <vector>

#include "common/picture.h"
#include "skin/skin_tables.h"

namespace varlo {

struct RegionRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const RegionRect&) const = default;
};

// The window's shape as the view applies it: none (the plain rectangle), a union of
// rectangles, or polygons filled with the alternate (even-odd) rule.
struct WindowRegion {
  enum class Kind { None, Rects, Polygons };
  Kind kind = Kind::None;
  std::vector<RegionRect> rects;
  std::vector<ShapePoint> points;
  std::vector<std::int32_t> vertexCounts;  // one entry per polygon, summing to points.size()

  bool operator==(const WindowRegion&) const = default;
};

// The picture's rectangle minus every pixel of `transparent`, as rectangles: one per run
// of kept pixels, merged downwards while consecutive rows keep exactly the same runs.
WindowRegion BuildTransparentRegion(const Picture& picture, Colour transparent);

// The region of one polygon, or nullopt-like Kind::None when it has fewer than 3 points.
WindowRegion PolygonRegion(const std::vector<ShapePoint>& points);

// The region of several polygons; Kind::None when the counts do not fit the points.
WindowRegion MultiPolygonRegion(const std::vector<ShapePoint>& points,
                                const std::vector<std::int32_t>& vertexCounts);

}  // namespace varlo
