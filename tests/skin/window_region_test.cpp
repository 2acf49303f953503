#include "skin/window_region.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace varlo {

namespace {
constexpr Colour kKey = MakeColour(255, 0, 255);

// Pixels kept by the region, counted from its rectangles.
long Area(const WindowRegion& r) {
  long a = 0;
  for (const auto& rc : r.rects) a += long{rc.width} * rc.height;
  return a;
}

bool Keeps(const WindowRegion& r, int x, int y) {
  for (const auto& rc : r.rects)
    if (x >= rc.left && x < rc.left + rc.width && y >= rc.top && y < rc.top + rc.height)
      return true;
  return false;
}

// The order QRegion takes rectangles in unchanged: sorted by top, then left; one band's
// rectangles share top and height; none overlap or touch side by side.
void ExpectBands(const WindowRegion& r) {
  for (std::size_t i = 1; i < r.rects.size(); ++i) {
    const RegionRect &a = r.rects[i - 1], &b = r.rects[i];
    ASSERT_GT(b.width, 0);
    ASSERT_GT(b.height, 0);
    if (a.top == b.top) {
      ASSERT_EQ(a.height, b.height);
      ASSERT_LT(a.left + a.width, b.left);
    } else {
      ASSERT_GE(b.top, a.top + a.height);
    }
  }
}

// Even-odd test of a pixel centre against polygons, the slow way.
bool Encloses(const std::vector<ShapePoint>& pts, const std::vector<std::int32_t>& counts, double x,
              double y) {
  bool inside = false;
  std::size_t start = 0;
  for (std::int32_t c : counts) {
    for (std::size_t i = start; i < start + static_cast<std::size_t>(c); ++i) {
      const ShapePoint a = pts[i];
      const ShapePoint b = pts[i + 1 < start + static_cast<std::size_t>(c) ? i + 1 : start];
      if ((a.y <= y) != (b.y <= y) &&
          x > a.x + (y - a.y) * static_cast<double>(b.x - a.x) / (b.y - a.y))
        inside = !inside;
    }
    start += static_cast<std::size_t>(c);
  }
  return inside;
}
}  // namespace

TEST(TransparentRegion, NoKeyColourGivesTheWholeRectangle) {
  const WindowRegion r = BuildTransparentRegion(Picture(20, 10, 1), kKey);
  ASSERT_EQ(r.rects.size(), 1u);
  EXPECT_EQ(r.rects[0], (RegionRect{0, 0, 20, 10}));
  EXPECT_FALSE(r.Simplified());
}

TEST(TransparentRegion, RunsAreCutAndEqualRowsMerge) {
  Picture p(6, 4, 1);
  for (int x = 0; x < 6; ++x) p.Set(x, 0, kKey);  // a whole row is removed
  p.Set(2, 1, kKey);                              // rows 1 and 2 keep the same runs
  p.Set(2, 2, kKey);
  const WindowRegion r = BuildTransparentRegion(p, kKey);
  ASSERT_EQ(r.kind, WindowRegion::Kind::Rects);
  const std::vector<RegionRect> want = {{0, 1, 2, 2}, {3, 1, 3, 2}, {0, 3, 6, 1}};
  EXPECT_EQ(r.rects, want);
  EXPECT_EQ(Area(r), 24 - 6 - 2);
}

TEST(TransparentRegion, AllTransparentGivesAnEmptyShape) {
  const WindowRegion r = BuildTransparentRegion(Picture(3, 3, kKey), kKey);
  EXPECT_EQ(r.kind, WindowRegion::Kind::Rects);
  EXPECT_TRUE(r.rects.empty());
}

TEST(TransparentRegion, TooDetailedShapesAreSimplifiedToBlocksThatLoseNoPixel) {
  // One-pixel checks: no two kept pixels touch, so the exact shape needs one rectangle per
  // kept pixel, half a million here. Blocks of 2 x 2 each hold a kept pixel.
  Picture checks(1024, 1024, 1);
  for (int y = 0; y < 1024; ++y)
    for (int x = y % 2; x < 1024; x += 2) checks.Set(x, y, kKey);
  const WindowRegion hostile = BuildTransparentRegion(checks, kKey);
  EXPECT_EQ(hostile.rects, (std::vector<RegionRect>{{0, 0, 1024, 1024}}));
  EXPECT_EQ(hostile.blockWidth, 2);
  EXPECT_EQ(hostile.blockHeight, 2);

  // Scattered holes against a small limit: every kept pixel stays, every block the shape
  // keeps holds a kept pixel, and the bands stay in the order the view needs.
  Picture p(203, 97, 1);
  std::mt19937 rng(11);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (rng() % 3 == 0) p.Set(x, y, kKey);
  const WindowRegion r = BuildTransparentRegion(p, kKey, {.maxRects = 60});
  ASSERT_TRUE(r.Simplified());
  EXPECT_LE(r.rects.size(), 60u);
  ExpectBands(r);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      ASSERT_TRUE(p.At(x, y) == kKey || Keeps(r, x, y)) << x << "," << y;
      if (!Keeps(r, x, y)) continue;
      bool any = false;  // the block of (x, y) keeps a pixel of the picture
      const int bx = x / r.blockWidth * r.blockWidth, by = y / r.blockHeight * r.blockHeight;
      for (int yy = by; yy < std::min(by + r.blockHeight, p.height); ++yy)
        for (int xx = bx; xx < std::min(bx + r.blockWidth, p.width); ++xx)
          any = any || p.At(xx, yy) != kKey;
      ASSERT_TRUE(any) << x << "," << y;
    }
  // A limit of one rectangle still gives a shape: the whole picture's bounding block.
  EXPECT_EQ(BuildTransparentRegion(p, kKey, {.maxRects = 1}).rects.size(), 1u);
}

TEST(PolygonRegion, CountsMustFitThePoints) {
  const std::vector<ShapePoint> pts = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {2, 2}, {4, 2}, {3, 4}};
  EXPECT_EQ(PolygonRegion({{0, 0}, {1, 1}}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(MultiPolygonRegion(pts, {4, 3}).kind, WindowRegion::Kind::Rects);
  EXPECT_EQ(MultiPolygonRegion(pts, {4, 4}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(MultiPolygonRegion(pts, {}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(MultiPolygonRegion(pts, {-3, 4}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(MultiPolygonRegion(pts, {4}).rects,
            (std::vector<RegionRect>{{0, 0, 10, 10}}));  // only the counted points
}

TEST(PolygonRegion, PixelCentresAreFilledByTheAlternateRule) {
  // A square with a smaller square inside: the inner one becomes a hole.
  const std::vector<ShapePoint> holed = {{0, 0}, {20, 0}, {20, 20}, {0, 20},
                                         {5, 5}, {15, 5}, {15, 15}, {5, 15}};
  const WindowRegion r = MultiPolygonRegion(holed, {4, 4});
  EXPECT_TRUE(Keeps(r, 2, 2));
  EXPECT_TRUE(Keeps(r, 19, 19));
  EXPECT_FALSE(Keeps(r, 10, 10));
  EXPECT_FALSE(Keeps(r, 20, 5));
  EXPECT_EQ(Area(r), 400 - 100);
  ExpectBands(r);

  // Random self-crossing polygons against the slow test of each pixel centre.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> at(-5, 45);
  for (int round = 0; round < 20; ++round) {
    std::vector<ShapePoint> pts;
    for (int i = 0; i < 14; ++i) pts.push_back({at(rng), at(rng)});
    const std::vector<std::int32_t> counts = {9, 5};
    const WindowRegion shape = MultiPolygonRegion(pts, counts);
    ExpectBands(shape);
    for (int y = -6; y < 47; ++y)
      for (int x = -6; x < 47; ++x)
        ASSERT_EQ(Keeps(shape, x, y), x >= 0 && y >= 0 && Encloses(pts, counts, x + 0.5, y + 0.5))
            << "round " << round << " at " << x << "," << y;
  }
}

TEST(PolygonRegion, FarPointsAreCutAndFlatShapesKeepNothing) {
  constexpr std::int32_t kFar = std::numeric_limits<std::int32_t>::max();
  const WindowRegion far =
      PolygonRegion({{-kFar, -30000}, {kFar, -30000}, {kFar, 30000}, {-kFar, 30000}});
  EXPECT_EQ(far.rects, (std::vector<RegionRect>{{0, 0, kMaxShapeSide, kMaxShapeSide}}));
  EXPECT_TRUE(PolygonRegion({{0, 0}, {50, 50}, {100, 100}}).rects.empty());
  EXPECT_TRUE(PolygonRegion({{-50, -50}, {-10, -50}, {-10, -10}}).rects.empty());
}

TEST(PolygonRegion, ShapesCrossingTooManyRowsAreScannedInBands) {
  // A zigzag between the top and the bottom: every row crosses all 2000 edges.
  std::vector<ShapePoint> zigzag;
  for (int i = 0; i < 1000; ++i) zigzag.insert(zigzag.end(), {{i * 4, 0}, {i * 4 + 2, 1000}});
  const WindowRegion exact = PolygonRegion(zigzag, {.maxRects = 1u << 30});
  EXPECT_FALSE(exact.Simplified());
  const WindowRegion banded = PolygonRegion(zigzag, {.maxPolygonCrossings = 100000});
  EXPECT_GE(banded.blockHeight, 20);
  EXPECT_LE(banded.rects.size(), kMaxRegionRects);
  ExpectBands(banded);

  // Each band of 20 rows takes the pixels of its middle row.
  const WindowRegion bands =
      PolygonRegion(zigzag, {.maxRects = 1u << 30, .maxPolygonCrossings = 100000});
  ASSERT_EQ(bands.blockHeight, 20);
  auto row = [](const WindowRegion& r, int y) {
    std::vector<bool> kept(4000);
    for (const auto& rc : r.rects)
      if (y >= rc.top && y < rc.top + rc.height)
        for (int x = rc.left; x < rc.left + rc.width; ++x) kept[static_cast<std::size_t>(x)] = true;
    return kept;
  };
  EXPECT_EQ(row(bands, 60), row(exact, 69));
  EXPECT_EQ(row(bands, 79), row(exact, 69));
  EXPECT_NE(row(bands, 80), row(exact, 69));
}

}  // namespace varlo
