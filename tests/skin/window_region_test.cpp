#include "skin/window_region.h"

#include <gtest/gtest.h>

namespace varlo {

namespace {
constexpr Colour kKey = MakeColour(255, 0, 255);

// Pixels kept by the region, counted from its rectangles.
long Area(const WindowRegion& r) {
  long a = 0;
  for (const auto& rc : r.rects) a += long{rc.width} * rc.height;
  return a;
}
}  // namespace

TEST(TransparentRegion, NoKeyColourGivesTheWholeRectangle) {
  const WindowRegion r = BuildTransparentRegion(Picture(20, 10, 1), kKey);
  ASSERT_EQ(r.rects.size(), 1u);
  EXPECT_EQ(r.rects[0], (RegionRect{0, 0, 20, 10}));
}

TEST(TransparentRegion, RunsAreCutAndEqualRowsMerge) {
  Picture p(6, 4, 1);
  for (int x = 0; x < 6; ++x) p.At(x, 0) = kKey;  // a whole row is removed
  p.At(2, 1) = kKey;                              // rows 1 and 2 keep the same runs
  p.At(2, 2) = kKey;
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

TEST(PolygonRegion, CountsMustFitThePoints) {
  const std::vector<ShapePoint> pts = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {2, 2}, {4, 2}, {3, 4}};
  EXPECT_EQ(PolygonRegion({{0, 0}, {1, 1}}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(PolygonRegion(pts).vertexCounts, std::vector<std::int32_t>{7});
  const WindowRegion two = MultiPolygonRegion(pts, {4, 3});
  EXPECT_EQ(two.kind, WindowRegion::Kind::Polygons);
  EXPECT_EQ(two.points.size(), 7u);
  EXPECT_EQ(MultiPolygonRegion(pts, {4, 4}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(MultiPolygonRegion(pts, {}).kind, WindowRegion::Kind::None);
  EXPECT_EQ(MultiPolygonRegion(pts, {-3, 4}).kind, WindowRegion::Kind::None);
}

}  // namespace varlo
