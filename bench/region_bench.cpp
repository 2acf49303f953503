// The window shape of a skin bitmap: cost should follow the number of runs.
#include <benchmark/benchmark.h>

#include <random>

#include "skin/window_region.h"

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
      for (int i = 0; i < cut && x < w; ++i, ++x) p.At(x, y) = kKey;
    }
  return p;
}

// A player bitmap: rounded corners cut out, every inner row alike.
varlo::Picture Player(int w, int h) {
  varlo::Picture p(w, h, 1);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6 - y; ++x) {
      p.At(x, y) = p.At(w - 1 - x, y) = kKey;
      p.At(x, h - 1 - y) = p.At(w - 1 - x, h - 1 - y) = kKey;
    }
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

}  // namespace
