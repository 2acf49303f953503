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
  if (entry.size() < 4) return false;
  const std::string ext = UpperCase(entry.substr(entry.size() - 4));
  return ext == ".BMP" || ext == ".GIF" || ext == ".JPG";
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
  const std::string host = ToHostPath(entry);
  const std::string dir = GetPath(host);
  const bool drive = dir.size() >= 2 && dir[1] == ':';
  if (drive || IsFullPath(dir) || host.find("://") != std::string::npos) return host;
  return playlistFolder + host;
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

  int added = 0;
  while (!rest.empty() && list.paths.size() < kMaxPlaylistEntries) {
    // Lines end in LF, CR LF or a lone CR.
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n') ++end;
    if (end == rest.size()) end = std::string_view::npos;
    std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
      rest = {};
    } else {
      const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
      rest.remove_prefix(end + (crlf ? 2 : 1));
    }
    std::string_view entry;
    if (!EntryOfLine(format, TrimBlanks(line), entry)) continue;

    const std::string host = ToHostPath(std::string(entry));
    std::string name = DisplayName(GetFileName(host), friendlyNames);
    if (IsPicture(host)) name += " (picture)";
    list.Append(std::move(name), ResolveEntry(host, playlistFolder));
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
