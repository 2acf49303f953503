#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/picture.h"
#include "skin/skin_tables.h"

namespace varlo {

struct RegionRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const RegionRect&) const = default;
};

// The most rectangles a window shape is given. One X shape request carries at most 32765
// rectangles when the server lacks the big-requests extension, and a shape of this size is
// built and applied in a few milliseconds. A finer shape is simplified to fit.
inline constexpr std::size_t kMaxRegionRects = 32000;

// The most edge crossings a polygon shape is scanned for (each edge is crossed once per row
// it spans); beyond it rows are sampled in bands so that any skin is shaped at once.
inline constexpr std::int64_t kMaxPolygonCrossings = std::int64_t{1} << 24;

// Polygon shapes cover at most this square from the window's top-left corner: no skin
// picture and no window of a skin is larger.
inline constexpr int kMaxShapeSide = 4096;

struct RegionLimits {
  std::size_t maxRects = kMaxRegionRects;
  std::int64_t maxPolygonCrossings = kMaxPolygonCrossings;
};

// The window's shape as the view applies it: none (the plain rectangle) or a union of
// rectangles in bands: sorted by top, then left; the rectangles of one band share their top
// and height; none overlap or touch side by side.
struct WindowRegion {
  enum class Kind { None, Rects };
  Kind kind = Kind::None;
  std::vector<RegionRect> rects;
  // The shape follows its source to this many pixels across and down: 1 x 1 is exact. A
  // shape too detailed for the limits is simplified to blocks of this size, each kept
  // whole when the exact shape keeps any of its pixels.
  int blockWidth = 1, blockHeight = 1;

  bool Simplified() const { return blockWidth > 1 || blockHeight > 1; }
  bool operator==(const WindowRegion&) const = default;
};

// The picture's rectangle minus every pixel of `transparent`, as rectangles: one per run
// of kept pixels, merged downwards while consecutive rows keep exactly the same runs. An
// all-transparent picture gives Kind::Rects with no rectangle.
WindowRegion BuildTransparentRegion(const Picture& picture, Colour transparent,
                                    const RegionLimits& limits = {});

// The area of one polygon (the pixels whose centres it encloses, even-odd rule), cut to the
// kMaxShapeSide square; Kind::None when it has fewer than 3 points.
WindowRegion PolygonRegion(const std::vector<ShapePoint>& points, const RegionLimits& limits = {});

// The area of several polygons filled together with the even-odd rule (a pixel is kept when
// an odd number of them enclose it); Kind::None when the counts do not fit the points.
WindowRegion MultiPolygonRegion(const std::vector<ShapePoint>& points,
                                const std::vector<std::int32_t>& vertexCounts,
                                const RegionLimits& limits = {});

}  // namespace varlo
