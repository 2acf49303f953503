#pragma once
// What every lyric sheet must hold, however it was read: a table that matches its numbered lines,
// bounded rows, and following it at any position stays within the list.
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "fuzz/fuzz_check.h"
#include "player/lyric_file.h"
#include "player/lyric_follower.h"

namespace varlo::fuzz {

inline void CheckRow(const std::optional<int>& row, const LyricSheet& sheet) {
  if (row) Check(*row >= 0 && *row < sheet.count);
}

inline void CheckSheetAndFollow(LyricSheet sheet) {
  Check(sheet.lines.size() <= kMaxLyricLines);
  Check(sheet.count >= 0 && static_cast<std::size_t>(sheet.count) <= sheet.lines.size());
  Check(sheet.times.size() == static_cast<std::size_t>(sheet.count) + 1 && sheet.times[0] == 1);
  for (const auto& line : sheet.lines) Check(line.size() <= kMaxLyricLineBytes);

  const std::size_t rows = sheet.lines.size();
  LyricFollower follow(std::move(sheet));
  // Forwards, a jump back, far ahead and the extremes of the position.
  for (const std::int32_t ms :
       {0, 1, 100, 5000, 12000, 2500, 90000, -1, 1 << 30, std::numeric_limits<std::int32_t>::max(),
        std::numeric_limits<std::int32_t>::min(), 3000, 3100}) {
    const LyricChange change = follow.Tick(ms);
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
}

}  // namespace varlo::fuzz
