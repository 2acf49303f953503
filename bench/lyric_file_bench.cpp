// Reading lyric text: a timed file of 2000 lines, and a hostile 10 MB file of one line
// (only its start is read, so it must cost about as little as a normal file).
#include <benchmark/benchmark.h>

#include <string>

#include "player/lyric_file.h"

namespace {

std::string TimedText(int lines) {
  std::string text = "VARLO LYRIC\r\n";
  for (int i = 1; i <= lines; ++i) {
    const std::string ms = std::to_string(i * 1500);
    text += ":" + std::string(9 - ms.size(), '0') + ms + ": and the words of line " +
            std::to_string(i) + " go on a while\r\n";
  }
  return text;
}

void BM_TimedFile2000Lines(benchmark::State& state) {
  const std::string text = TimedText(2000);
  for (auto _ : state) {
    const varlo::LyricSheet sheet = varlo::ReadLyricText(text);
    benchmark::DoNotOptimize(sheet.count);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TimedFile2000Lines)->Unit(benchmark::kMicrosecond);

void BM_OneLine10MB(benchmark::State& state) {
  const std::string text(10'000'000, 'x');
  for (auto _ : state) {
    const varlo::LyricSheet sheet = varlo::ReadLyricText(text);
    benchmark::DoNotOptimize(sheet.lines.size());
  }
}
BENCHMARK(BM_OneLine10MB)->Unit(benchmark::kMicrosecond);

}  // namespace
