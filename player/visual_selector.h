#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "player/folder_tree.h"
#include "player/playlist.h"

namespace varlo {

// The logic of the "Visual Playlist Selector": the playlists of a folder tree, shown sixteen
// to a page with a picture each, and the contents of the one selected.

inline constexpr int kPlaylistsPerPage = 16;

// A file "Name.DIR" in a scanned folder stands for the folder "Name" beside it.
bool IsFolderEntry(const std::string& path);
std::string FolderOfEntry(const std::string& path);

// The playlists of `folder`: its ".DIR" entries when it has any, else every M3U and PLS file
// of its tree (the extension compared whole), in the tree's order. May run on a worker
// thread; `cancel` stops it with what was found so far.
std::vector<std::string> ScanPlaylists(const std::string& folder,
                                       const FolderTreeProgress& progress = {},
                                       const std::atomic<bool>* cancel = nullptr);

// The last page (0-based) for `count` playlists, and the status line of page `page`.
int LastPage(int count);
std::string PageStatus(int page, int count);

// The picture shown for playlist `path`: its own (the path without extension and ".BMP",
// ".GIF" or ".JPG"), else `fallback` (the program's "nocover.bmp", or empty).
std::string PlaylistPicture(const std::string& path, const std::string& fallback);

// The contents list of a playlist entry: the names of its entries (file names, no comment
// or key lines) with their full paths, or one line saying that a ".DIR" entry is a folder.
struct PlaylistContents {
  std::vector<std::string> lines;
  std::vector<std::string> paths;  // empty for a folder entry
};
PlaylistContents ReadPlaylistContents(const std::string& path);

}  // namespace varlo
