#pragma once
#include <string>
#include <string_view>

#include "common/write_status.h"
#include "player/playlist.h"

namespace varlo {

// The full path of a playlist entry read from a playlist in `playlistFolder` (ending in
// "/"). "\" separators of Windows playlists are read as "/". Entries starting at the root,
// with a drive ("C:/...") or with a scheme ("http://...") are kept; others are relative to
// the playlist's folder. An empty entry names the folder itself.
std::string ResolveEntry(const std::string& entry, const std::string& playlistFolder);

enum class PlaylistFormat { None, M3U, PLS };

// The format of a playlist file by its extension in any case (".m3u8" is an M3U in UTF-8);
// None for other files.
PlaylistFormat PlaylistFormatOf(const std::string& path);

// Appends the entries of playlist text read from a file in `playlistFolder` (ending in "/"):
// M3U lines that are neither blank nor start with "#", or the values of PLS "FileN" keys in
// file order (keys in any case). "file:" URIs name the local paths they encode. With friendly
// names on, an entry is named by the title its "#EXTINF" line or its PLS "TitleN" gives, else by
// its file name. A leading UTF-8 byte-order mark is skipped. Stops when the list holds
// kMaxPlaylistEntries; returns the number appended.
int ReadPlaylistText(std::string_view text, PlaylistFormat format,
                     const std::string& playlistFolder, int friendlyNames, Playlist& list);

// Appends the entries of an M3U or PLS file (chosen by extension, any case) to `list`.
// Other extensions read nothing. Reading stops quietly on a file error or when the list
// holds kMaxPlaylistEntries; entries read so far stay. Returns the number appended and
// does not call Changed().
int ReadPlaylistFile(const std::string& path, int friendlyNames, Playlist& list);

// Writes the paths of `list` to `path` as an M3U: one line per entry ending in CR LF, no
// header; paths inside the playlist's folder are written relative to it; empty entries and
// entries containing "**" are left out. Written atomically: a failure keeps the old file and
// tells its cause (a file the user marked read-only is one).
WriteStatus WritePlaylistFile(const std::string& path, const Playlist& list);

}  // namespace varlo
