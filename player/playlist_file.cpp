#include "player/playlist_file.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "common/write_protect.h"
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

// The entry a trimmed line holds, or false when the line holds none.
bool EntryOfLine(PlaylistFormat format, std::string_view line, std::string_view& entry) {
  if (format == PlaylistFormat::M3U) {
    if (!line.empty() && line.front() == '#') return false;
    entry = line;
    return true;
  }
  if (line.substr(0, 4) != "File") return false;
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  entry = line.substr(eq + 1);
  return true;
}

}  // namespace

std::string ResolveEntry(const std::string& entry, const std::string& playlistFolder) {
  return ResolveHost(ToHostPath(entry), playlistFolder);
}

PlaylistFormat PlaylistFormatOf(const std::string& path) {
  const std::string ext = UpperCase(GetExt(GetFileName(path)));
  if (ext == "M3U") return PlaylistFormat::M3U;
  if (ext == "PLS") return PlaylistFormat::PLS;
  return PlaylistFormat::None;
}

int ReadPlaylistText(std::string_view text, PlaylistFormat format,
                     const std::string& playlistFolder, int friendlyNames, Playlist& list) {
  if (format == PlaylistFormat::None) return 0;
  std::string_view rest(text);
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);  // UTF-8 byte-order mark

  // Lines end in LF, CR LF or a lone CR. The next CR and LF are found with a fast search and
  // kept until the scan passes them.
  constexpr auto npos = std::string_view::npos;
  std::size_t pos = 0;
  std::size_t cr = rest.find('\r'), lf = rest.find('\n');
  int added = 0;
  while (pos < rest.size() && list.paths.size() < kMaxPlaylistEntries) {
    if (cr != npos && cr < pos) cr = rest.find('\r', pos);
    if (lf != npos && lf < pos) lf = rest.find('\n', pos);
    const std::size_t end = std::min(cr, lf);
    std::string_view line = rest.substr(pos, end == npos ? npos : end - pos);
    if (end == npos) {
      pos = rest.size();
    } else {
      const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
      pos = end + (crlf ? 2 : 1);
    }
    std::string_view entry;
    if (!EntryOfLine(format, TrimBlanks(line), entry)) continue;

    std::string host = ToHostPath(std::string(entry));
    const auto slash = host.rfind('/');
    const std::string_view file =
        std::string_view(host).substr(slash == std::string::npos ? 0 : slash + 1);
    std::string name = DisplayName(file, friendlyNames);
    if (IsPicture(host)) name += " (picture)";
    list.Append(std::move(name), ResolveHost(std::move(host), playlistFolder));
    ++added;
  }
  return added;
}

int ReadPlaylistFile(const std::string& path, int friendlyNames, Playlist& list) {
  const PlaylistFormat format = PlaylistFormatOf(path);
  if (format == PlaylistFormat::None) return 0;
  return ReadPlaylistText(ReadHead(path), format, GetPath(path), friendlyNames, list);
}

bool WritePlaylistFile(const std::string& path, const Playlist& list) {
  // Replacing the file by rename would also replace one the user made read-only.
  if (IsWriteProtected(path)) return false;

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
