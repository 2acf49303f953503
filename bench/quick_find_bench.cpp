// Quick find answers a keystroke on a full playlist of 32766 entries.
#include <benchmark/benchmark.h>

#include <string>

#include "player/quick_find.h"

namespace {

varlo::Playlist FullList() {
  varlo::Playlist list;
  for (std::size_t i = 0; i < varlo::kMaxPlaylistEntries; ++i) {
    const std::string name =
        "Artist " + std::to_string(i % 977) + " - Song Title Number " + std::to_string(i);
    list.Append(name, "/music/" + name + ".mp3");
  }
  return list;
}

void BM_QuickFindKeystroke(benchmark::State& state) {
  const varlo::Playlist list = FullList();
  varlo::QuickFind find;
  find.Open(list);
  find.SetMode(state.range(0) == 0 ? varlo::FindMode::Anywhere : varlo::FindMode::StartsWith);
  // Typing "artist 97" a key at a time, then deleting it again.
  const std::string typed = "artist 97";
  std::size_t length = 0;
  bool growing = true;
  for (auto _ : state) {
    length = growing ? length + 1 : length - 1;
    if (length == typed.size()) growing = false;
    if (length == 0) growing = true;
    find.SetText(std::string_view(typed).substr(0, length));
    benchmark::DoNotOptimize(find.SelectedRow());
  }
}
BENCHMARK(BM_QuickFindKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_QuickFindOpen(benchmark::State& state) {
  const varlo::Playlist list = FullList();
  varlo::QuickFind find;
  for (auto _ : state) find.Open(list);
}
BENCHMARK(BM_QuickFindOpen)->Unit(benchmark::kMillisecond);

}  // namespace
