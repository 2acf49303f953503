// What starting an MPEG entry and saving its tag cost on a 5 MB file (warm cache): the
// header search past a 64 KB ID3v2 tag plus the ID3v1 read, and a tag update, which copies
// the whole file into a new one.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/scratch_folder.h"
#include "player/id3v1_tag.h"
#include "player/mp3_header.h"

namespace {

namespace fs = std::filesystem;

struct Scratch {
  varlo::bench::ScratchFolder folder{"mp3-bench"};
  const std::string& root = folder.Root();
  std::string song;

  Scratch() {
    song = root + "/song.mp3";
    // ID3v2.3 header stating 65536 bytes (syncsafe 0x00 0x04 0x00 0x00), filled with 0xFF
    // as a cover picture might be, then the audio and an ID3v1 tag.
    std::string data = "ID3\x03";
    data += std::string("\x00\x00\x00\x04\x00\x00", 6);
    data += std::string(65536, '\xFF');
    const std::string frame = "\xFF\xFB\x90\x44";
    while (data.size() < 5 * 1024 * 1024) data += frame + std::string(413, '\x55');
    data += varlo::FormatTagBlock(varlo::BuildTag("Title", "Artist", "Album", "1999", "", "7", 1));
    std::ofstream(song, std::ios::binary) << data;
  }
};

Scratch& Data() {
  static Scratch scratch;
  return scratch;
}

void BM_ReadHeaderAndTag(benchmark::State& state) {
  const std::string& song = Data().song;
  for (auto _ : state) {
    benchmark::DoNotOptimize(varlo::ReadMp3StreamInfo(song));
    benchmark::DoNotOptimize(varlo::ReadTag(song));
  }
}
BENCHMARK(BM_ReadHeaderAndTag)->Unit(benchmark::kMicrosecond);

void BM_UpdateTag(benchmark::State& state) {
  const std::string& song = Data().song;
  const varlo::TagRecord tag = varlo::BuildTag("New", "Artist", "Album", "2000", "", "8", 2);
  for (auto _ : state) {
    if (varlo::WriteTag(song, tag) != varlo::TagWriteResult::Updated) state.SkipWithError("write");
  }
}
BENCHMARK(BM_UpdateTag)->Unit(benchmark::kMillisecond);

}  // namespace
