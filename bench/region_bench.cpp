// The window shape of a skin: cost should follow the number of runs, and no skin, however
// hostile, may cost more than a fraction of a second from its data to the window's mask.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

#include "bench/scratch_folder.h"
#include "common/bmp_file.h"
#include "skin/window_region.h"
#include "ui/region_mask.h"

namespace {

constexpr varlo::Colour kKey = varlo::MakeColour(255, 0, 255);

// About a third of the pixels transparent, in scattered runs of 1-16 pixels.
varlo::Picture Scattered(int w, int h) {
  varlo::Picture p(w, h, 1);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> len(1, 16);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w;) {
      const int keep = len(rng) * 2, cut = len(rng);
      x += keep;
      for (int i = 0; i < cut && x < w; ++i, ++x) p.Set(x, y, kKey);
    }
  return p;
}

// A player bitmap: rounded corners cut out, every inner row alike.
varlo::Picture Player(int w, int h) {
  varlo::Picture p(w, h, 1);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6 - y; ++x) {
      for (const int yy : {y, h - 1 - y})
        for (const int xx : {x, w - 1 - x}) p.Set(xx, yy, kKey);
    }
  return p;
}

// The hostile main bitmap: the largest picture the loader takes, in one-pixel checks of
// the transparent colour, so that no two neighbouring pixels are both kept.
varlo::Picture Checks(int side) {
  varlo::Picture p(side, side, 1);
  for (int y = 0; y < side; ++y)
    for (int x = y % 2; x < side; x += 2) p.Set(x, y, kKey);
  return p;
}

void BM_TransparentRegionLarge(benchmark::State& state) {
  const varlo::Picture p = Scattered(1024, 768);
  for (auto _ : state) benchmark::DoNotOptimize(varlo::BuildTransparentRegion(p, kKey));
}
BENCHMARK(BM_TransparentRegionLarge)->Unit(benchmark::kMillisecond);

void BM_TransparentRegionPlayer(benchmark::State& state) {
  const varlo::Picture p = Player(275, 116);
  for (auto _ : state) benchmark::DoNotOptimize(varlo::BuildTransparentRegion(p, kKey));
}
BENCHMARK(BM_TransparentRegionPlayer)->Unit(benchmark::kMicrosecond);

// From the checked bitmap to the window's mask, the whole way a skin's "O" element goes.
void BM_TransparentChecksToMask(benchmark::State& state) {
  const varlo::Picture p = Checks(static_cast<int>(state.range(0)));
  std::size_t rects = 0;
  for (auto _ : state) {
    const varlo::WindowRegion region = varlo::BuildTransparentRegion(p, kKey);
    rects = static_cast<std::size_t>(varlo::RegionMask(region).rectCount());
    benchmark::DoNotOptimize(rects);
  }
  state.counters["mask_rects"] = static_cast<double>(rects);
}
BENCHMARK(BM_TransparentChecksToMask)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

// The checked bitmap as a skin's "O" element meets it: read from its 24-bit BMP file (48 MB)
// into a fresh picture, then shaped. The picture's first filling is much of the cost.
void BM_ChecksFileReadAndShaped(benchmark::State& state) {
  static const varlo::bench::ScratchFolder folder("region-bench");
  const std::string path = folder.Root() + "/checks.bmp";
  constexpr int kSide = 4096;
  {
    const std::uint32_t rowBytes = kSide * 3, dataBytes = rowBytes * kSide;
    std::string file = "BM";
    auto le = [&file](std::uint32_t v, int bytes) {
      for (int i = 0; i < bytes; ++i) file += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    le(54 + dataBytes, 4), le(0, 4), le(54, 4), le(40, 4), le(kSide, 4), le(kSide, 4);
    le(1, 2), le(24, 2), le(0, 4), le(dataBytes, 4), le(2835, 4), le(2835, 4), le(0, 4), le(0, 4);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        file += (x + y) % 2 == 0 ? std::string("\xff\x00\xff", 3) : std::string("\x5a\x3c\x1e", 3);
    std::ofstream(path, std::ios::binary) << file;
  }
  for (auto _ : state) {
    const std::optional<varlo::Picture> p = varlo::ReadBmpFile(path, std::int64_t{kSide} * kSide);
    if (!p) state.SkipWithError("the bitmap was not read");
    benchmark::DoNotOptimize(varlo::BuildTransparentRegion(*p, kKey));
  }
}
BENCHMARK(BM_ChecksFileReadAndShaped)->Unit(benchmark::kMillisecond);

// A multi-polygon of small scattered triangles, as many as a skin file of the largest size
// the loader reads can list, to the window's mask.
void BM_ManyTrianglesToMask(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<varlo::ShapePoint> points;
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> at(0, 2000);
  for (int i = 0; i < n; ++i) {
    const int x = at(rng), y = at(rng);
    points.insert(points.end(), {{x, y}, {x + 5, y}, {x, y + 5}});
  }
  const std::vector<std::int32_t> counts(static_cast<std::size_t>(n), 3);
  std::size_t rects = 0;
  for (auto _ : state) {
    const varlo::WindowRegion region = varlo::MultiPolygonRegion(points, counts);
    rects = static_cast<std::size_t>(varlo::RegionMask(region).rectCount());
    benchmark::DoNotOptimize(rects);
  }
  state.counters["mask_rects"] = static_cast<double>(rects);
}
BENCHMARK(BM_ManyTrianglesToMask)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);

// One polygon zigzagging between the top and the bottom of a tall window, so that every row
// crosses every edge, to the window's mask.
void BM_ZigzagPolygonToMask(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<varlo::ShapePoint> points;
  for (int i = 0; i < n / 2; ++i) points.insert(points.end(), {{i * 4, 0}, {i * 4 + 2, 2000}});
  std::size_t rects = 0;
  for (auto _ : state) {
    const varlo::WindowRegion region = varlo::PolygonRegion(points);
    rects = static_cast<std::size_t>(varlo::RegionMask(region).rectCount());
    benchmark::DoNotOptimize(rects);
  }
  state.counters["mask_rects"] = static_cast<double>(rects);
}
BENCHMARK(BM_ZigzagPolygonToMask)->Arg(2000)->Arg(600000)->Unit(benchmark::kMillisecond);

}  // namespace
