// The skin browser's reading of a skin folder: each skin with its two bitmaps, as skin
// collections come (warm cache). The list is rebuilt on the window's thread at every change
// of the filter, so its cost at the bounds matters.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "bench/scratch_folder.h"
#include "skin/skin_catalog.h"

namespace {

// A folder of `skins` skins, each with a main and a pressed bitmap, made once per size.
const std::string& Folder(int skins) {
  static varlo::bench::ScratchFolder small{"skin-dir-1400"}, large{"skin-dir-4096"};
  varlo::bench::ScratchFolder& folder = skins <= 1400 ? small : large;
  static bool made[2] = {false, false};
  bool& done = made[skins <= 1400 ? 0 : 1];
  if (!done) {
    for (int i = 0; i < skins; ++i) {
      const std::string name = folder.Root() + "/skin" + std::to_string(i);
      std::ofstream(name + ".skin") << "Varlo Skin/Player Clock,Skin number " << i
                                    << "\n480,386,480,386,240,193\nmain.bmp,res.bmp\nE\n";
      std::ofstream(name + "_main.bmp") << "BM";
      std::ofstream(name + "_res.bmp") << "BM";
    }
    done = true;
  }
  return folder.Root();
}

void BM_ReadSkinDir(benchmark::State& state) {
  const std::string& folder = Folder(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const varlo::SkinDir dir = varlo::ReadSkinDir(folder, "Clock");
    benchmark::DoNotOptimize(dir.entries.data());
  }
}
BENCHMARK(BM_ReadSkinDir)->Arg(1400)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
