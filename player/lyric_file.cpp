#include "player/lyric_file.h"

#include <algorithm>
#include <limits>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "common/text_lines.h"

namespace varlo {
namespace {

constexpr std::string_view kNoLyrics = "No Lyrics";
// Columns 1-9 of a "; TITLE" line, and of a "VARLO LYRIC" line after its ":".
constexpr std::size_t kTimeColumns = 9;

bool StartsWithNoCase(std::string_view line, std::string_view prefix) {
  return line.size() >= prefix.size() && UpperCase(line.substr(0, prefix.size())) == prefix;
}

// The whole number a time field begins with, blanks before it allowed; 0 without digits.
// Signs and decimals end the number, so "-5" reads 0 and "5.9" reads 5.
std::int64_t FieldNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  std::int64_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + (field[i] - '0');
  }
  return value;
}

std::int32_t ClampMs(std::int64_t ms) {
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

class SheetBuilder {
 public:
  bool Full() const { return sheet_.lines.size() >= kMaxLyricLines; }

  // A numbered line; `ms` 0 means it has no time.
  void Numbered(std::string_view text, std::int32_t ms) {
    sheet_.lines.push_back(ListedLyricText(text));
    sheet_.times.push_back(ms);
    ++sheet_.count;
    if (ms > 0) sheet_.synced = true;
  }
  // A row of the list that takes no line number, so later times keep their numbers.
  void Uncounted(std::string_view text) { sheet_.lines.push_back(ListedLyricText(text)); }

  LyricSheet Finish() {
    if (sheet_.count == 0) {
      // Rows of uncounted lines go too: the list then says only that there are no lyrics.
      sheet_.lines.assign(1, std::string(kNoLyrics));
      sheet_.times.assign(1, 1);
    }
    return std::move(sheet_);
  }

 private:
  LyricSheet sheet_;
};

void ReadColumns(LineReader& reader, SheetBuilder& out) {
  std::string_view line;
  // The optional unit line; any other second line is dropped unread.
  bool cdFrames = false;
  if (reader.Next(line)) cdFrames = StartsWithNoCase(line, "; CD");
  while (!out.Full() && reader.Next(line)) {
    if (!line.empty() && line.front() == ';') continue;
    const std::int64_t units = FieldNumber(line.substr(0, kTimeColumns));
    if (units < 1) {
      out.Numbered(line, 0);
      continue;
    }
    // A CD frame is 1000/75 ms; the remainder is never a half, so this rounds to nearest.
    const std::int64_t ms = cdFrames ? (units * 1000 + 37) / 75 : units * 100;
    out.Numbered(line.size() > kTimeColumns ? line.substr(kTimeColumns) : std::string_view{},
                 ClampMs(ms));
  }
}

void ReadMillis(LineReader& reader, SheetBuilder& out) {
  std::string_view line;
  while (!out.Full() && reader.Next(line)) {
    if (line.empty() || line.front() != ':') continue;
    if (line.size() >= 12 && line[10] == ':' && line[11] == ' ') {
      out.Numbered(line.substr(12), ClampMs(FieldNumber(line.substr(1, kTimeColumns))));
    } else {
      out.Uncounted(line);
    }
  }
}

void ReadUntimed(std::string_view first, LineReader& reader, SheetBuilder& out) {
  out.Numbered(first, 0);
  std::string_view line;
  while (!out.Full() && reader.Next(line)) out.Numbered(line, 0);
}

}  // namespace

std::string ListedLyricText(std::string_view text) {
  if (text.size() <= kMaxLyricLineBytes) return std::string(text);
  std::size_t cut = kMaxLyricLineBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut));
}

std::int32_t LyricSheet::TimeOf(int n) const {
  if (n < 0 || static_cast<std::size_t>(n) >= times.size()) return 0;
  return times[static_cast<std::size_t>(n)];
}

LyricSheet ReadLyricText(std::string_view text) {
  text = text.substr(0, kMaxLyricFileBytes);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  LineReader reader(text);
  SheetBuilder out;
  std::string_view first;
  if (reader.Next(first)) {
    if (StartsWithNoCase(first, "; TITLE")) {
      ReadColumns(reader, out);
    } else if (StartsWithNoCase(first, "VARLO LYRIC")) {
      ReadMillis(reader, out);
    } else {
      ReadUntimed(first, reader, out);
    }
  }
  return out.Finish();
}

LyricSheet LoadLyricFile(const std::string& path) {
  // Only regular files: a pipe or device named like a lyric file would never end.
  FileRead read = ReadRegularFile(path, kMaxLyricFileBytes, true);
  if (read.status != ReadStatus::kOk) return {};
  return ReadLyricText(read.data);
}

std::string LyricPathOf(const std::string& mediaPath) {
  // Only the file name loses its extension: a dot in a folder name is not one.
  return GetPath(mediaPath) + StripExt(GetFileName(mediaPath)) + ".lyr";
}

std::string FindLyricFile(const std::string& mediaPath) {
  const std::string base = GetPath(mediaPath) + StripExt(GetFileName(mediaPath));
  for (const char* ext : {".lyr", ".LYR"}) {
    std::string candidate = base + ext;
    if (FileExists(candidate)) return candidate;
  }
  return base + ".lyr";
}

}  // namespace varlo
