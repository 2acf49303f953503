#include "skin/window_region.h"

#include <algorithm>
#include <limits>

namespace varlo {
namespace {

std::size_t Index(long long i) {
  return static_cast<std::size_t>(i);
}

// Which pixels of a shape are kept, in cells of cellWidth x cellHeight pixels. Cell (0, 0)
// starts at pixel (left, top); the cells of the last column and row are cut to the shape's
// width and height.
struct CellMask {
  int left = 0, top = 0, width = 0, height = 0;
  int cellWidth = 1, cellHeight = 1;
  int cols = 0, rows = 0;
  std::vector<std::uint8_t> cells;  // row by row; 1 is kept

  void Allocate() { cells.assign(Index(cols) * Index(rows), 0); }
  std::uint8_t* Row(int r) { return &cells[Index(r) * Index(cols)]; }
  const std::uint8_t* Row(int r) const { return &cells[Index(r) * Index(cols)]; }
};

struct Run {
  int left, right;  // [left, right), in cells
  bool operator==(const Run&) const = default;
};

// The runs of `row` whose elements are kept.
template <class T, class Kept>
void KeptRuns(const T* row, int cols, Kept kept, std::vector<Run>& runs) {
  runs.clear();
  int x = 0;
  while (x < cols) {
    while (x < cols && !kept(row[x])) ++x;
    const int start = x;
    while (x < cols && kept(row[x])) ++x;
    if (x > start) runs.push_back({start, x});
  }
}

// The rectangles of a mask (see CellMask) whose runs `runsOf(r, runs)` gives row by row:
// one per run of kept cells, grown downwards while the following rows keep exactly the
// same runs. False, as soon as it is known, when that takes more than maxRects rectangles.
template <class RunsOf>
bool MaskRects(const CellMask& m, RunsOf runsOf, std::size_t maxRects,
               std::vector<RegionRect>& rects) {
  rects.clear();
  std::vector<Run> previous, current;
  std::vector<std::size_t> open;  // the rectangle of each run of `previous`
  const int right = m.left + m.width;
  for (int r = 0; r < m.rows; ++r) {
    runsOf(r, current);
    const int top = m.top + r * m.cellHeight;
    const int height = std::min(m.cellHeight, m.height - r * m.cellHeight);
    if (current == previous) {
      for (std::size_t i : open) rects[i].height += height;
      continue;
    }
    if (rects.size() + current.size() > maxRects) return false;
    open.clear();
    for (const Run& run : current) {
      const int x0 = m.left + run.left * m.cellWidth;
      const int x1 = std::min(right, m.left + run.right * m.cellWidth);
      open.push_back(rects.size());
      rects.push_back({x0, top, x1 - x0, height});
    }
    std::swap(previous, current);
  }
  return true;
}

bool MaskRects(const CellMask& m, std::size_t maxRects, std::vector<RegionRect>& rects) {
  return MaskRects(
      m,
      [&m](int r, std::vector<Run>& runs) {
        KeptRuns(
            m.Row(r), m.cols, [](std::uint8_t c) { return c != 0; }, runs);
      },
      maxRects, rects);
}

// The mask at half its resolution (in each direction with more than one cell): a cell is
// kept when any of the cells it covers was.
CellMask Coarsen(const CellMask& m) {
  CellMask c;
  c.left = m.left;
  c.top = m.top;
  c.width = m.width;
  c.height = m.height;
  const int dx = m.cols > 1 ? 2 : 1, dy = m.rows > 1 ? 2 : 1;
  c.cellWidth = m.cellWidth * dx;
  c.cellHeight = m.cellHeight * dy;
  c.cols = (m.cols + dx - 1) / dx;
  c.rows = (m.rows + dy - 1) / dy;
  c.Allocate();
  const int shift = dx == 2 ? 1 : 0;
  for (int r = 0; r < m.rows; ++r) {
    const std::uint8_t* from = m.Row(r);
    std::uint8_t* to = c.Row(r / dy);
    for (int x = 0; x < m.cols; ++x) to[x >> shift] |= from[x];
  }
  return c;
}

// The pixels `kept` keeps of `picture`, straight away at half the resolution, as Coarsen
// makes it of the exact mask: a picture too detailed for the limit never pays for a mask
// of all its pixels.
template <class Kept>
CellMask HalvedMask(const Picture& picture, Kept kept) {
  CellMask c;
  c.width = picture.width;
  c.height = picture.height;
  const int dx = picture.width > 1 ? 2 : 1, dy = picture.height > 1 ? 2 : 1;
  c.cellWidth = dx;
  c.cellHeight = dy;
  c.cols = (picture.width + dx - 1) / dx;
  c.rows = (picture.height + dy - 1) / dy;
  c.Allocate();
  const int shift = dx == 2 ? 1 : 0;
  for (int y = 0; y < picture.height; ++y) {
    const PixelWord* from = picture.Row(y);
    std::uint8_t* to = c.Row(y / dy);
    for (int x = 0; x < picture.width; ++x)
      to[x >> shift] |= static_cast<std::uint8_t>(kept(from[x]) ? 1 : 0);
  }
  return c;
}

// The shape of the mask, coarsened until it fits the limit. A mask of one cell fits any
// limit, so this ends.
WindowRegion ShapeFromMask(CellMask mask, std::size_t maxRects) {
  WindowRegion region;
  region.kind = WindowRegion::Kind::Rects;
  maxRects = std::max<std::size_t>(1, maxRects);
  while (!MaskRects(mask, maxRects, region.rects)) mask = Coarsen(mask);
  region.blockWidth = mask.cellWidth;
  region.blockHeight = mask.cellHeight;
  return region;
}

// Wide enough for a coordinate times the difference of two: the crossings are worked out
// in whole numbers.
__extension__ typedef __int128 Wide;

struct Edge {
  ShapePoint upper, lower;  // upper.y < lower.y
};

// The kept pixels of polygons filled together with the even-odd rule, by pixel centres.
// Each row is filled from the edges crossing it: a crossing flips every pixel to its right,
// so the flips are marked and then summed along the row. When the edges cross more rows in
// total than the limit allows, one row in each band of rows is scanned for the whole band.
WindowRegion FillPolygons(const std::vector<ShapePoint>& points,
                          const std::vector<std::int32_t>& vertexCounts,
                          const RegionLimits& limits) {
  std::vector<Edge> edges;
  long long minX = std::numeric_limits<long long>::max(), minY = minX;
  long long maxX = std::numeric_limits<long long>::min(), maxY = maxX;
  std::size_t start = 0;
  for (std::int32_t count : vertexCounts) {
    const std::size_t end = start + Index(count);
    for (std::size_t i = start; i < end; ++i) {
      const ShapePoint a = points[i], b = points[i + 1 < end ? i + 1 : start];
      minX = std::min<long long>(minX, a.x), maxX = std::max<long long>(maxX, a.x);
      minY = std::min<long long>(minY, a.y), maxY = std::max<long long>(maxY, a.y);
      if (a.y != b.y) edges.push_back(a.y < b.y ? Edge{a, b} : Edge{b, a});
    }
    start = end;
  }

  WindowRegion none;
  none.kind = WindowRegion::Kind::Rects;
  CellMask mask;
  mask.left = static_cast<int>(std::clamp<long long>(minX, 0, kMaxShapeSide));
  mask.top = static_cast<int>(std::clamp<long long>(minY, 0, kMaxShapeSide));
  mask.width = static_cast<int>(std::clamp<long long>(maxX, 0, kMaxShapeSide)) - mask.left;
  mask.height = static_cast<int>(std::clamp<long long>(maxY, 0, kMaxShapeSide)) - mask.top;
  if (mask.width <= 0 || mask.height <= 0 || edges.empty()) return none;

  // Rows of the mask each edge crosses (the rows whose centres lie within its span).
  const long long bottom = mask.top + mask.height;
  auto firstRow = [&](const Edge& e) { return std::max<long long>(e.upper.y, mask.top); };
  auto endRow = [&](const Edge& e) { return std::min<long long>(e.lower.y, bottom); };
  std::int64_t crossings = 0;
  for (const Edge& e : edges) crossings += std::max<long long>(0, endRow(e) - firstRow(e));
  const std::int64_t budget = std::max<std::int64_t>(1, limits.maxPolygonCrossings);
  const auto band = static_cast<int>(std::min<std::int64_t>(
      mask.height, std::max<std::int64_t>(1, (crossings + budget - 1) / budget)));

  mask.cellHeight = band;
  mask.cols = mask.width;
  mask.rows = (mask.height + band - 1) / band;
  mask.Allocate();
  std::vector<int> sampled(Index(mask.rows));  // the pixel row scanned for each band
  for (int r = 0; r < mask.rows; ++r)
    sampled[Index(r)] = mask.top + std::min(r * band + (band - 1) / 2, mask.height - 1);

  for (const Edge& e : edges) {
    const long long last = endRow(e) - 1;
    auto r = std::lower_bound(sampled.begin(), sampled.end(), firstRow(e));
    const long long dy = static_cast<long long>(e.lower.y) - e.upper.y;  // above 0
    const Wide dx = static_cast<Wide>(e.lower.x) - e.upper.x;
    for (; r != sampled.end() && *r <= last; ++r) {
      // Pixel x is right of the edge when its centre x + 0.5 is: with the row's centre
      // y + 0.5, that is 2x + 1 > 2 * upper.x + (2y + 1 - 2 * upper.y) * dx / dy, worked
      // out exactly so that centres on an edge fall the same way whatever its slope.
      const Wide twiceX = 2 * static_cast<Wide>(e.upper.x) * dy +
                          (2 * static_cast<Wide>(*r) + 1 - 2 * static_cast<Wide>(e.upper.y)) * dx;
      Wide q = twiceX / dy;
      if (twiceX % dy != 0 && twiceX < 0) --q;         // rounded down
      const Wide column = ((q + 1) >> 1) - mask.left;  // the first pixel right of the edge
      if (column >= mask.width) continue;
      const int c = column <= 0 ? 0 : static_cast<int>(column);
      mask.Row(static_cast<int>(r - sampled.begin()))[c] ^= 1;
    }
  }
  for (int r = 0; r < mask.rows; ++r) {
    std::uint8_t* row = mask.Row(r);
    for (int x = 1; x < mask.cols; ++x) row[x] ^= row[x - 1];
  }
  return ShapeFromMask(std::move(mask), limits.maxRects);
}

}  // namespace

WindowRegion BuildTransparentRegion(const Picture& picture, Colour transparent,
                                    const RegionLimits& limits) {
  WindowRegion region;
  region.kind = WindowRegion::Kind::Rects;
  if (picture.Empty()) return region;
  CellMask mask;
  mask.width = mask.cols = picture.width;
  mask.height = mask.rows = picture.height;
  // Most skins fit the limit exactly: their runs come straight from the pixels, and only a
  // shape that needs simplifying is copied into a mask.
  const PixelWord key = WordOf(transparent);
  const auto kept = [key](PixelWord w) { return w != key; };
  const std::size_t maxRects = std::max<std::size_t>(1, limits.maxRects);
  const auto pixelRuns = [&](int r, std::vector<Run>& runs) {
    KeptRuns(picture.Row(r), picture.width, kept, runs);
  };
  if (MaskRects(mask, pixelRuns, maxRects, region.rects)) return region;
  // The exact shape does not fit: simplified, from blocks of 2 x 2 pixels up.
  return ShapeFromMask(HalvedMask(picture, kept), maxRects);
}

WindowRegion PolygonRegion(const std::vector<ShapePoint>& points, const RegionLimits& limits) {
  if (points.size() < 3) return {};
  return FillPolygons(points, {static_cast<std::int32_t>(points.size())}, limits);
}

WindowRegion MultiPolygonRegion(const std::vector<ShapePoint>& points,
                                const std::vector<std::int32_t>& vertexCounts,
                                const RegionLimits& limits) {
  std::size_t total = 0;
  for (std::int32_t c : vertexCounts) {
    if (c < 2) return {};  // a polygon needs at least two vertices to enclose anything
    total += Index(c);
    if (total > points.size()) return {};
  }
  if (vertexCounts.empty()) return {};
  return FillPolygons(points, vertexCounts, limits);
}

}  // namespace varlo
