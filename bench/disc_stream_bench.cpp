// Reading a disc through its WAV stream as the engine does (64 KiB reads), from an image on
// disk: the stream must read far faster than the 176 400 bytes a second it plays.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "bench/scratch_folder.h"
#include "platform/cdio/cdio_disc.h"

namespace {

void BM_ReadImageStream(benchmark::State& state) {
  const varlo::bench::ScratchFolder folder("disc-stream");
  const auto file = [&](const char* name) { return folder.Root() + "/" + name; };
  const std::string bin = file("disc.bin");
  const std::int32_t sectors = 75 * 60;  // one minute of audio
  {
    std::ofstream out(bin, std::ios::binary);
    const std::vector<char> sector(2352, '\x11');
    for (std::int32_t s = 0; s < sectors; ++s) out.write(sector.data(), 2352);
  }
  std::ofstream(file("disc.cue"))
      << "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";

  std::vector<char> buffer(64 * 1024);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    std::unique_ptr<varlo::ByteStream> stream = varlo::OpenDiscStream(file("disc.cue"));
    for (std::int64_t n; (n = stream->Read(buffer.data(), buffer.size())) > 0;) bytes += n;
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadImageStream)->Unit(benchmark::kMillisecond);

}  // namespace
