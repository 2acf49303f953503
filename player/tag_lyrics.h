#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "player/lyric_file.h"

// Lyrics that a media file's tags hold: text (ID3v2 USLT, the Vorbis comment LYRICS, MP4 "©lyr"),
// which may be LRC, and synchronised lines (ID3v2 SYLT).
namespace varlo {

// A synchronised line as a tag stores it.
struct TimedLyric {
  std::int64_t ms = 0;
  std::string text;
};

// The sheet of lyric text from a tag. LRC text ("[mm:ss.xx]words", several time tags to a line,
// "[offset:+ms]", word times "<mm:ss.xx>" dropped) follows the song in time order, its lines
// without a time left out; any other text stands still, every line listed as it is. Empty (no
// rows) for a text of blanks only. Bounded as lyric files are.
LyricSheet LyricSheetOfTagText(std::string_view text);

// The sheet of synchronised lines, in time order (lines of the same time keep theirs).
LyricSheet LyricSheetOfTimes(std::vector<TimedLyric> lines);

}  // namespace varlo
