#include "player/lyric_follower.h"

namespace varlo {

LyricChange LyricFollower::Tick(std::int32_t elapsedMs) {
  LyricChange change;
  const std::int32_t at = sheet_.TimeOf(current_);
  if (at == 0) return change;
  if (elapsedMs >= at && elapsedMs <= sheet_.TimeOf(current_ + 2)) {
    // Still within the current line, or just into the next one.
    if (elapsedMs < sheet_.TimeOf(current_ + 1)) return change;
  } else {
    // A jump backwards or more than one line ahead: find the line due next and stand two
    // before it, so the advance below lands on the one playing now. Without such a line the
    // current one is kept and the advance moves past it.
    for (int n = 1; n <= sheet_.count; ++n) {
      if (sheet_.TimeOf(n) > elapsedMs) {
        current_ = n - 2;
        break;
      }
    }
  }
  Advance(change);
  return change;
}

std::optional<LyricSeek> LyricFollower::SeekLine(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= sheet_.lines.size()) return std::nullopt;
  const std::int32_t at = sheet_.TimeOf(row + 1);
  if (at <= 0) return std::nullopt;
  LyricSeek seek;
  seek.fromMs = at;
  current_ = row;
  Advance(seek.change);
  return seek;
}

void LyricFollower::Advance(LyricChange& change) {
  ++current_;
  // Past the last line everything stays as it was shown.
  if (current_ > sheet_.count) return;
  if (current_ >= 1) {
    if (selected_ != current_ - 1) change.selectedRow = selected_ = current_ - 1;
    Report(shownCurrent_, Row(current_ - 1), change.current);
  }
  // The first line has no previous one and the last no next one: those labels are emptied
  // rather than left showing a line from elsewhere in the song.
  static const std::string kNone;
  Report(shownNext_, current_ < sheet_.count ? Row(current_) : kNone, change.next);
  Report(shownPrevious_, current_ >= 2 ? Row(current_ - 2) : kNone, change.previous);
}

const std::string& LyricFollower::Row(int row) const {
  static const std::string kNone;
  if (row < 0 || static_cast<std::size_t>(row) >= sheet_.lines.size()) return kNone;
  return sheet_.lines[static_cast<std::size_t>(row)];
}

void LyricFollower::Report(std::optional<std::string>& shown, const std::string& text,
                           std::optional<std::string>& change) {
  if (shown == text) return;
  shown = text;
  change = text;
}

}  // namespace varlo
