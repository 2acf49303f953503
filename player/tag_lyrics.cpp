#include "player/tag_lyrics.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "common/numtext.h"
#include "common/text_lines.h"

namespace varlo {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The digits at the start of `text` as a number (at most 9 of them); the count read in `used`.
std::int64_t Digits(std::string_view text, std::size_t& used, std::size_t most = 9) {
  std::int64_t value = 0;
  used = 0;
  while (used < text.size() && used < most && IsDigit(text[used]))
    value = value * 10 + (text[used++] - '0');
  return value;
}

// A time "mm:ss", "mm:ss.x" to "mm:ss.xxx" or "mm:ss:xx" in milliseconds; nullopt otherwise.
std::optional<std::int64_t> LrcTime(std::string_view t) {
  std::size_t used = 0;
  const std::int64_t minutes = Digits(t, used);
  if (used == 0 || used >= t.size() || t[used] != ':') return std::nullopt;
  t.remove_prefix(used + 1);
  const std::int64_t seconds = Digits(t, used, 2);
  if (used == 0 || seconds > 59) return std::nullopt;
  t.remove_prefix(used);
  std::int64_t fraction = 0;
  if (!t.empty()) {
    if (t.front() != '.' && t.front() != ':') return std::nullopt;
    t.remove_prefix(1);
    fraction = Digits(t, used, 3);
    if (used == 0 || used != t.size()) return std::nullopt;
    for (std::size_t i = used; i < 3; ++i) fraction *= 10;
  }
  return (minutes * 60 + seconds) * 1000 + fraction;
}

// Drops the word times of enhanced LRC ("<01:02.50>") from a line's text.
std::string WithoutWordTimes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto open = text.find('<');
    const auto close = open == std::string_view::npos ? open : text.find('>', open);
    if (close == std::string_view::npos) break;
    if (!LrcTime(text.substr(open + 1, close - open - 1))) {
      out.append(text.substr(0, close + 1));
    } else {
      out.append(text.substr(0, open));
    }
    text.remove_prefix(close + 1);
  }
  out.append(text);
  return std::string(TrimBlanks(out));
}

// A sheet's times count from 1: 0 means "no time".
std::int32_t SheetTime(std::int64_t ms) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(ms, 1, std::numeric_limits<std::int32_t>::max()));
}

// The LRC lines of a text, or none when no line carries a time.
std::vector<TimedLyric> LrcLines(std::string_view text) {
  std::vector<TimedLyric> lines;
  std::int64_t offset = 0;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line) && lines.size() < kMaxLyricLines) {
    line = TrimBlanks(line);
    std::vector<std::int64_t> times;
    while (line.size() > 1 && line.front() == '[') {
      const auto close = line.find(']');
      if (close == std::string_view::npos) break;
      const std::string_view tag = line.substr(1, close - 1);
      if (const auto ms = LrcTime(tag)) {
        times.push_back(*ms);
      } else if (tag.size() > 7 && EqualsNoCase(tag.substr(0, 7), "offset:")) {
        // A positive offset shows the lines sooner.
        std::string_view n = TrimBlanks(tag.substr(7));
        const bool negative = !n.empty() && n.front() == '-';
        if (!n.empty() && (n.front() == '-' || n.front() == '+')) n.remove_prefix(1);
        std::size_t used = 0;
        const std::int64_t value = Digits(n, used);
        if (used > 0) offset = negative ? -value : value;
      } else {
        break;  // text in brackets, or a tag such as "[ar:...]" that names no time
      }
      line.remove_prefix(close + 1);
    }
    if (times.empty()) continue;
    const std::string words = ListedLyricText(WithoutWordTimes(line));
    for (const std::int64_t t : times) {
      if (lines.size() >= kMaxLyricLines) break;
      lines.push_back({t, words});
    }
  }
  for (TimedLyric& l : lines) l.ms -= offset;
  return lines;
}

}  // namespace

LyricSheet LyricSheetOfTimes(std::vector<TimedLyric> lines) {
  if (lines.size() > kMaxLyricLines) lines.resize(kMaxLyricLines);
  std::stable_sort(lines.begin(), lines.end(),
                   [](const TimedLyric& a, const TimedLyric& b) { return a.ms < b.ms; });
  LyricSheet sheet;
  for (TimedLyric& l : lines) {
    sheet.lines.push_back(ListedLyricText(l.text));
    sheet.times.push_back(SheetTime(l.ms));
    ++sheet.count;
  }
  sheet.synced = sheet.count > 0;
  return sheet;
}

LyricSheet LyricSheetOfTagText(std::string_view text) {
  text = text.substr(0, kMaxLyricFileBytes);
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return {};
  std::vector<TimedLyric> timed = LrcLines(text);
  if (!timed.empty()) return LyricSheetOfTimes(std::move(timed));
  // Plain text, every line listed as it is; trailing line ends would list as empty rows.
  text.remove_suffix(text.size() - text.find_last_not_of(" \t\r\n") - 1);
  LyricSheet sheet;
  LineReader reader(text);
  std::string_view line;
  while (sheet.lines.size() < kMaxLyricLines && reader.Next(line)) {
    sheet.lines.push_back(ListedLyricText(line));
    sheet.times.push_back(0);
    ++sheet.count;
  }
  return sheet;
}

}  // namespace varlo
