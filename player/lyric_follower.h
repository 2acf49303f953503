#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "player/lyric_file.h"

namespace varlo {

// What one step of following changed in the main window. Empty members are unchanged.
struct LyricChange {
  std::optional<int> selectedRow;       // 0-based row of the lyric list to select
  std::optional<std::string> current;   // label 70
  std::optional<std::string> next;      // label 71
  std::optional<std::string> previous;  // label 72

  bool Empty() const { return !selectedRow && !current && !next && !previous; }
};

// A double-click on a timed lyric row: where to play from, and what making it current changed.
struct LyricSeek {
  std::int32_t fromMs = 0;
  LyricChange change;
};

// Follows a lyric sheet in time with playback. The current line number (CurLyric) starts at 0,
// before the first line; line n is row n - 1 of the list. Once the current line has no time
// the following stops until a timed row is double-clicked, which is how an untimed line or
// the end of the list ends it. Reports only what differs from what it reported before.
class LyricFollower {
 public:
  LyricFollower() = default;
  explicit LyricFollower(LyricSheet sheet) : sheet_(std::move(sheet)) {}

  const LyricSheet& Sheet() const { return sheet_; }
  int Current() const { return current_; }

  // One position tick at `elapsedMs` into the entry. Call it only while the lyric list is
  // visible and the sheet is synced.
  LyricChange Tick(std::int32_t elapsedMs);

  // The row `row` (0-based) was double-clicked: nullopt when its line has no time above 0,
  // else that line becomes current and the caller plays from the time returned.
  std::optional<LyricSeek> SeekLine(int row);

 private:
  void Advance(LyricChange& change);
  const std::string& Row(int row) const;
  static void Report(std::optional<std::string>& shown, const std::string& text,
                     std::optional<std::string>& change);

  LyricSheet sheet_;
  int current_ = 0;
  // What was reported last, so repeats are left out.
  std::optional<int> selected_;
  // The labels start empty.
  std::optional<std::string> shownCurrent_{std::string()};
  std::optional<std::string> shownNext_{std::string()};
  std::optional<std::string> shownPrevious_{std::string()};
};

}  // namespace varlo
