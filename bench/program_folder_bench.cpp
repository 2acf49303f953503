// What every start pays to keep the program folder whole: the shipped files (the build's
// share/varlo: skins, bitmaps, documents, conversion files and the demo album) looked at
// against a program folder that already holds them, and the stale temporaries looked for.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/scratch_folder.h"
#include "common/program_folder.h"

namespace {

void BM_StartWithEverythingInstalled(benchmark::State& state) {
  varlo::bench::ScratchFolder folder("program-folder-bench");
  const std::string program = folder.Root() + "/program";
  varlo::InstallMissingFiles(VARLO_BENCH_DATA_DIR, program);
  for (auto _ : state) {
    benchmark::DoNotOptimize(varlo::InstallMissingFiles(VARLO_BENCH_DATA_DIR, program));
    benchmark::DoNotOptimize(
        varlo::RemoveStaleProgramTemporaries(program, folder.Root() + "/config/varlo.ini"));
  }
}
BENCHMARK(BM_StartWithEverythingInstalled)->Unit(benchmark::kMicrosecond);

}  // namespace
