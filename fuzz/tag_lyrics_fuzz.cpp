// Lyrics from the tags of a file from outside, as text (LRC or not) and as synchronised lines
// made of the same bytes: any of them must read into a sheet that follows within the list, and
// a timed sheet keeps its lines in time order.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "fuzz/lyric_sheet_check.h"
#include "player/tag_lyrics.h"

using varlo::fuzz::Check;

namespace {

void CheckTimeOrder(const varlo::LyricSheet& sheet) {
  if (!sheet.synced) return;
  for (std::size_t i = 2; i < sheet.times.size(); ++i)
    Check(sheet.times[i] >= sheet.times[i - 1] && sheet.times[i] > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  varlo::LyricSheet sheet = varlo::LyricSheetOfTagText(text);
  CheckTimeOrder(sheet);
  varlo::fuzz::CheckSheetAndFollow(std::move(sheet));

  // Every 9 bytes one synchronised line: a time of 8 bytes (any value) and a text byte.
  std::vector<varlo::TimedLyric> lines;
  for (std::size_t at = 0; at + 9 <= size; at += 9) {
    std::int64_t ms = 0;
    std::memcpy(&ms, data + at, sizeof ms);
    lines.push_back({ms, std::string(text.substr(at + 8, 1))});
  }
  varlo::LyricSheet timed = varlo::LyricSheetOfTimes(std::move(lines));
  CheckTimeOrder(timed);
  varlo::fuzz::CheckSheetAndFollow(std::move(timed));
  return 0;
}
