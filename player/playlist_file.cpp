#include "player/playlist_file.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "common/text_lines.h"
#include "common/utf8_text.h"
#include "player/display_name.h"

namespace varlo {
namespace {

// 32766 entries of 1 KiB each; anything past this is not read.
constexpr std::size_t kMaxPlaylistBytes = std::size_t{32} << 20;

// Reads at most kMaxPlaylistBytes of the file; a missing or unreadable file, or one that
// is no regular file (a pipe named like a playlist would never end), reads as empty.
std::string ReadHead(const std::string& path) {
  return ReadFileHead(path, kMaxPlaylistBytes);
}

bool IsPicture(std::string_view entry) {
  if (entry.size() < 4 || entry[entry.size() - 4] != '.') return false;
  // The extensions are plain ASCII letters: folding them needs no locale.
  std::string ext(entry.substr(entry.size() - 3));
  for (char& c : ext) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return ext == "BMP" || ext == "GIF" || ext == "JPG";
}

// ResolveEntry for an entry already in host form, reusing its text when it is kept whole.
std::string ResolveHost(std::string host, const std::string& playlistFolder) {
  // The folder part is everything up to the last "/": a drive letter, the root or an address
  // there makes the entry a full one.
  const auto slash = host.rfind('/');
  const bool drive = slash != std::string::npos && slash >= 1 && host[1] == ':';
  const bool full = slash != std::string::npos && host.front() == '/';
  if (drive || full || host.find("://") != std::string::npos) return host;
  return playlistFolder + host;
}

// Titles longer than this are cut: a name in a one-line list needs no more.
constexpr std::size_t kMaxTitleBytes = 1024;

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string CutTitle(std::string_view title) {
  title = TrimBlanks(title);
  return std::string(title.substr(0, Utf8PrefixLength(title, kMaxTitleBytes)));
}

// The title of an "#EXTINF:<seconds> <attributes>,<title>" line: the text after the first comma
// outside quoted attribute values, so "tvg-name="a,b"" stays whole and commas in titles too.
std::string ExtinfTitle(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 8; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ',' && !quoted) return CutTitle(line.substr(i + 1));
  }
  return {};
}

// A PLS line "<key><number>=<value>" whose key is `key` in any case: its number text and value.
bool PlsKey(std::string_view line, std::string_view key, std::string_view& number,
            std::string_view& value) {
  if (!StartsNoCase(line, key)) return false;
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  number = TrimBlanks(line.substr(key.size(), eq - key.size()));
  // "Title01" belongs to "File1".
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  value = TrimBlanks(line.substr(eq + 1));
  return true;
}

// Calls `take(line)` for each line of `text` trimmed of blanks, while it returns true.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line))
    if (!take(TrimBlanks(line))) return;
}

// Appends one entry: `title` names it when friendly names are on, else its file name does.
void AppendEntry(std::string_view entry, std::string_view title, const std::string& playlistFolder,
                 int friendlyNames, Playlist& list) {
  // A file URI is decoded to the path it names; "\" is a separator there too, as everywhere in
  // the lists.
  std::optional<std::string> local = FileUriPath(entry);
  std::string host = ToHostPath(local ? std::move(*local) : std::string(entry));
  std::string name;
  if (friendlyNames > 0 && !title.empty()) {
    name = title;
  } else {
    const auto slash = host.rfind('/');
    name = DisplayName(std::string_view(host).substr(slash == std::string::npos ? 0 : slash + 1),
                       friendlyNames);
  }
  if (IsPicture(host)) name += " (picture)";
  list.Append(std::move(name), ResolveHost(std::move(host), playlistFolder));
}

int ReadM3uText(std::string_view text, const std::string& playlistFolder, int friendlyNames,
                Playlist& list) {
  int added = 0;
  std::string title;  // of the "#EXTINF" line before the next entry
  ForEachLine(text, [&](std::string_view line) {
    if (list.paths.size() >= kMaxPlaylistEntries) return false;
    if (line.empty()) return true;  // a blank line names nothing
    if (line.front() == '#') {
      if (StartsNoCase(line, "#EXTINF:")) title = ExtinfTitle(line);
      return true;
    }
    AppendEntry(line, title, playlistFolder, friendlyNames, list);
    title.clear();
    ++added;
    return true;
  });
  return added;
}

int ReadPlsText(std::string_view text, const std::string& playlistFolder, int friendlyNames,
                Playlist& list) {
  // Entries keep file order; "TitleN" belongs to "FileN" wherever it stands.
  struct Entry {
    std::string_view value, number;
  };
  std::vector<Entry> entries;
  std::unordered_map<std::string_view, std::string_view> titles;
  const std::size_t room = kMaxPlaylistEntries - std::min(kMaxPlaylistEntries, list.paths.size());
  ForEachLine(text, [&](std::string_view line) {
    std::string_view number, value;
    if (PlsKey(line, "file", number, value)) {
      if (!value.empty() && entries.size() < room) entries.push_back({value, number});
    } else if (PlsKey(line, "title", number, value)) {
      titles.try_emplace(number, value);
    }
    return true;
  });
  for (const Entry& e : entries) {
    const auto title = titles.find(e.number);
    AppendEntry(e.value, title == titles.end() ? std::string() : CutTitle(title->second),
                playlistFolder, friendlyNames, list);
  }
  return static_cast<int>(entries.size());
}

}  // namespace

std::string ResolveEntry(const std::string& entry, const std::string& playlistFolder) {
  return ResolveHost(ToHostPath(entry), playlistFolder);
}

PlaylistFormat PlaylistFormatOf(const std::string& path) {
  const std::string ext = UpperCase(GetExt(GetFileName(path)));
  if (ext == "M3U" || ext == "M3U8") return PlaylistFormat::M3U;
  if (ext == "PLS") return PlaylistFormat::PLS;
  return PlaylistFormat::None;
}

int ReadPlaylistText(std::string_view text, PlaylistFormat format,
                     const std::string& playlistFolder, int friendlyNames, Playlist& list) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte-order mark
  switch (format) {
    case PlaylistFormat::M3U:
      return ReadM3uText(text, playlistFolder, friendlyNames, list);
    case PlaylistFormat::PLS:
      return ReadPlsText(text, playlistFolder, friendlyNames, list);
    case PlaylistFormat::None:
      break;
  }
  return 0;
}

int ReadPlaylistFile(const std::string& path, int friendlyNames, Playlist& list) {
  const PlaylistFormat format = PlaylistFormatOf(path);
  if (format == PlaylistFormat::None) return 0;
  return ReadPlaylistText(ReadHead(path), format, GetPath(path), friendlyNames, list);
}

WriteStatus WritePlaylistFile(const std::string& path, const Playlist& list) {
  const std::string folder = GetPath(path);
  std::string out;
  std::size_t size = 0;
  for (const auto& p : list.paths) size += p.size() + 2;
  out.reserve(size);
  for (const auto& p : list.paths) {
    if (p.empty() || p.find("**") != std::string::npos) continue;
    if (!folder.empty() && p.compare(0, folder.size(), folder) == 0) {
      out.append(p, folder.size());
    } else {
      out += p;
    }
    out += "\r\n";
  }
  // Written to a temporary file and renamed over the old one: a failed save keeps the
  // previous playlist whole instead of leaving it cut short.
  return WriteFileAtomic(path, out);
}

}  // namespace varlo
