// Lyric text from outside: any bytes must read without fault into a sheet whose table matches
// its numbered lines, and following it at any position must stay within the list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "fuzz/fuzz_check.h"
#include "player/lyric_file.h"
#include "player/lyric_follower.h"

using varlo::fuzz::Check;

namespace {

void CheckRow(const std::optional<int>& row, const varlo::LyricSheet& sheet) {
  if (row) Check(*row >= 0 && *row < sheet.count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  varlo::LyricSheet sheet = varlo::ReadLyricText(text);
  Check(!sheet.lines.empty() && sheet.lines.size() <= varlo::kMaxLyricLines);
  Check(sheet.count >= 0 && static_cast<std::size_t>(sheet.count) <= sheet.lines.size());
  Check(sheet.times.size() == static_cast<std::size_t>(sheet.count) + 1 && sheet.times[0] == 1);
  for (const auto& line : sheet.lines) Check(line.size() <= varlo::kMaxLyricLineBytes);

  const std::size_t rows = sheet.lines.size();
  varlo::LyricFollower follow(std::move(sheet));
  // Forwards, a jump back, far ahead and the extremes of the position.
  for (const std::int32_t ms :
       {0, 1, 100, 5000, 12000, 2500, 90000, -1, 1 << 30, std::numeric_limits<std::int32_t>::max(),
        std::numeric_limits<std::int32_t>::min(), 3000, 3100}) {
    const varlo::LyricChange change = follow.Tick(ms);
    CheckRow(change.selectedRow, follow.Sheet());
    Check(follow.Current() >= 0 && follow.Current() <= follow.Sheet().count + 1);
  }
  for (const int row : {-1, 0, 1, static_cast<int>(rows) - 1, static_cast<int>(rows)}) {
    if (const auto seek = follow.SeekLine(row)) {
      Check(seek->fromMs > 0 && follow.Current() == row + 1);
      CheckRow(seek->change.selectedRow, follow.Sheet());
      follow.Tick(seek->fromMs);
    }
  }
  return 0;
}
