// The playlist costs that grow with the list: reading and writing a full M3U, reading a full
// PLS and adding a large folder tree (20000 files in 200 folders, warm cache).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/scratch_folder.h"
#include "player/folder_tree.h"
#include "player/playlist_file.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder with a full playlist and a folder tree, made once for all runs.
struct Scratch {
  varlo::bench::ScratchFolder folder{"playlist-bench"};
  const std::string& root = folder.Root();
  std::string playlist;
  std::string pls;
  varlo::Playlist list;

  Scratch() {
    playlist = root + "/lists/big.m3u";
    fs::create_directories(root + "/lists");
    std::string text = "#EXTM3U\r\n";
    for (std::size_t i = 0; i < varlo::kMaxPlaylistEntries; ++i) {
      const std::string n = std::to_string(i);
      // Half inside the playlist's folder (written relative), half elsewhere.
      const std::string path =
          (i % 2 == 0 ? root + "/lists/Artist_" + n + "/" : root + "/other/Album_" + n + "/") +
          "03-Some_Song_Title_" + n + ".mp3";
      list.Append("x", path);
      text += "#EXTINF:215,Artist - Title\r\n";
      text += path.substr(i % 2 == 0 ? root.size() + 7 : 0) + "\r\n";
    }
    std::ofstream(playlist, std::ios::binary) << text;
    // The same entries as a PLS, as players write it: FileN, TitleN and LengthN together.
    std::string plsText = "[playlist]\r\n";
    for (std::size_t i = 0; i < list.paths.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      plsText += "File" + n + "=" + list.paths[i] + "\r\nTitle" + n + "=Artist - Title " + n +
                 "\r\nLength" + n + "=215\r\n";
    }
    plsText += "NumberOfEntries=" + std::to_string(list.paths.size()) + "\r\nVersion=2\r\n";
    pls = root + "/lists/big.pls";
    std::ofstream(pls, std::ios::binary) << plsText;
    for (int d = 0; d < 200; ++d) {
      const std::string dir =
          root + "/tree/" + std::to_string(d / 20) + "/Folder_" + std::to_string(d) + "/";
      fs::create_directories(dir);
      for (int f = 0; f < 100; ++f) {
        const char* ext = f % 10 == 0 ? ".txt" : ".mp3";
        std::ofstream(dir + std::to_string(f) + "-Track_" + std::to_string(f) + ext);
      }
    }
  }
};

Scratch& Data() {
  static Scratch scratch;
  return scratch;
}

void BM_ReadM3u(benchmark::State& state) {
  Scratch& s = Data();
  for (auto _ : state) {
    varlo::Playlist list;
    benchmark::DoNotOptimize(varlo::ReadPlaylistFile(s.playlist, 1, list));
  }
}
BENCHMARK(BM_ReadM3u)->Unit(benchmark::kMillisecond);

void BM_ReadPls(benchmark::State& state) {
  Scratch& s = Data();
  for (auto _ : state) {
    varlo::Playlist list;
    benchmark::DoNotOptimize(varlo::ReadPlaylistFile(s.pls, 1, list));
  }
}
BENCHMARK(BM_ReadPls)->Unit(benchmark::kMillisecond);

void BM_WriteM3u(benchmark::State& state) {
  Scratch& s = Data();
  const std::string out = s.root + "/lists/written.m3u";
  for (auto _ : state) benchmark::DoNotOptimize(varlo::WritePlaylistFile(out, s.list));
}
BENCHMARK(BM_WriteM3u)->Unit(benchmark::kMillisecond);

void BM_AddFolderTree(benchmark::State& state) {
  Scratch& s = Data();
  std::size_t calls = 0;
  for (auto _ : state) {
    std::vector<std::string> names, paths;
    benchmark::DoNotOptimize(varlo::AddFolderTree(s.root + "/tree", names, paths,
                                                  "mp2 mp3 mpa wma asf wav mid rmi avi mov qt", 1,
                                                  [&](std::size_t) { ++calls; }));
  }
  benchmark::DoNotOptimize(calls);
}
BENCHMARK(BM_AddFolderTree)->Unit(benchmark::kMillisecond);

}  // namespace
