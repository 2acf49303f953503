#include "player/visual_selector.h"

#include <algorithm>
#include <filesystem>

#include "common/numtext.h"
#include "common/paths.h"
#include "player/playlist_file.h"

namespace varlo {

bool IsFolderEntry(const std::string& path) {
  return UpperCase(GetExt(path)) == "DIR";
}

std::string FolderOfEntry(const std::string& path) {
  return path.size() >= 4 ? path.substr(0, path.size() - 4) : std::string();
}

std::vector<std::string> ScanPlaylists(const std::string& folder,
                                       const FolderTreeProgress& progress,
                                       const std::atomic<bool>* cancel) {
  std::vector<std::string> found;
  const std::string root = AddSlash(folder);
  std::error_code ec;
  std::vector<std::string> dirs;
  for (std::filesystem::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (IsFolderEntry(name)) dirs.push_back(root + name);
  }
  if (!dirs.empty()) {
    std::sort(dirs.begin(), dirs.end());
    return dirs;
  }
  std::vector<std::string> names;
  AddFolderTree(root, names, found, "M3U8 PLS", 0, progress, cancel);
  // The tree takes extensions that occur in the list ("3U" among them): only whole ones stay.
  std::erase_if(found, [](const std::string& path) {
    return PlaylistFormatOf(path) == PlaylistFormat::None;
  });
  return found;
}

int LastPage(int count) {
  return count <= 0 ? 0 : (count - 1) / kPlaylistsPerPage;
}

std::string PageStatus(int page, int count) {
  return "Page " + IntToText(page + 1) + " of " + IntToText(LastPage(count) + 1) +
         ".  Total Playlists:" + NumToText(count);
}

std::string PlaylistPicture(const std::string& path, const std::string& fallback) {
  const std::string own = FindPicture(StripExt(path));
  return own.empty() ? fallback : own;
}

PlaylistContents ReadPlaylistContents(const std::string& path) {
  PlaylistContents contents;
  if (IsFolderEntry(path)) {
    contents.lines.emplace_back("This is a directory. Double-click to enter!");
    return contents;
  }
  Playlist list;
  ReadPlaylistFile(path, 0, list);
  contents.paths = std::move(list.paths);
  for (const std::string& entry : contents.paths) contents.lines.push_back(GetFileName(entry));
  return contents;
}

}  // namespace varlo
