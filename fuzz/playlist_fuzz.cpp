// Playlist text from outside: M3U and PLS lines of any bytes must read without fault, and
// every entry read has a name and a path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "player/playlist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const auto format : {varlo::PlaylistFormat::M3U, varlo::PlaylistFormat::PLS}) {
    varlo::Playlist list;
    const int added = varlo::ReadPlaylistText(text, format, "/lists/", 1, list);
    if (added < 0 || static_cast<std::size_t>(added) != list.paths.size() ||
        list.names.size() != list.paths.size() || list.paths.size() > varlo::kMaxPlaylistEntries) {
      std::abort();
    }
    for (const auto& path : list.paths) {
      if (path.empty() || path.find('\\') != std::string_view::npos) std::abort();
    }
  }
  return 0;
}
