#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lyric files: the ".lyr" text beside a media file, in one of three layouts chosen by its
// first line (compared in upper case):
//   "; TITLE ..."      timed by columns: an optional second line "; CD ..." makes the unit a
//                      CD frame (75 per second), otherwise a tenth of a second; lines starting
//                      with ";" are comments; columns 1-9 hold the time, the text starts at
//                      column 10; a time below 1 lists the whole line without a time.
//   "VARLO LYRIC ..."  timed in milliseconds: only lines starting with ":" count;
//                      ":TTTTTTTTT: text" is timed, any other ":" line is listed whole but
//                      takes no line number.
//   anything else      untimed: every line, the first one too, is listed as it is.
namespace varlo {

// Bounds that keep a hostile file from stalling the window: only the start of a file is
// read, listed texts are cut, and listing stops after kMaxLyricLines rows.
inline constexpr std::size_t kMaxLyricFileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxLyricLineBytes = 1000;
inline constexpr std::size_t kMaxLyricLines = 10000;

// What a lyric file lists and when each line is due.
struct LyricSheet {
  // The rows of the lyric list in file order, the uncounted ":" lines included.
  std::vector<std::string> lines;
  // Milliseconds by line number: times[0] is 1, times[n] belongs to line n (1-based), 0 means
  // no time. Holds count + 1 entries.
  std::vector<std::int32_t> times{1};
  // The numbered lines (rows without the uncounted ":" lines).
  int count = 0;
  // At least one line has a time.
  bool synced = false;

  // The time of line `n`; 0 for numbers outside the table.
  std::int32_t TimeOf(int n) const;
};

// A text as the lyric list shows it: cut to kMaxLyricLineBytes, never inside a UTF-8 sequence.
std::string ListedLyricText(std::string_view text);

// Reads lyric text (at most kMaxLyricFileBytes of it). Lines end in LF, CR LF or a lone CR;
// a leading UTF-8 byte-order mark is skipped. When no line is numbered the sheet lists the
// single line "No Lyrics".
LyricSheet ReadLyricText(std::string_view text);

// Reads a lyric file. A missing or unreadable file gives an empty sheet (no rows at all).
LyricSheet LoadLyricFile(const std::string& path);

// The lyric file belonging to a media file: its path with ".lyr" for the extension.
std::string LyricPathOf(const std::string& mediaPath);

// The existing lyric file of a media file, with the extension in lower or upper case as the
// picture search tries it; LyricPathOf when neither exists.
std::string FindLyricFile(const std::string& mediaPath);

}  // namespace varlo
