#include "player/cover_search.h"

#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {

std::string TagCoverPicture(const std::string& folder, std::string_view artist,
                            std::string_view album) {
  const std::string base = AddSlash(folder);
  const std::string a(TrimBlanks(artist));
  const std::string b(TrimBlanks(album));
  std::string picture;
  const auto tryBase = [&picture](const std::string& name) {
    std::string found = FindPicture(name);
    if (!found.empty()) picture = std::move(found);
  };
  if (!b.empty()) tryBase(base + b);
  if (!a.empty()) {
    tryBase(base + a + "-" + b);
    tryBase(base + a + " - " + b);
  }
  return picture;
}

std::string CoverFallback(const std::string& found, const std::string& plCover,
                          const std::string& programFolder) {
  if (!found.empty()) return found;
  if (!plCover.empty()) return plCover;
  return AddSlash(programFolder) + "nocover.bmp";
}

std::string CoverFile(const std::string& path) {
  if (path.empty()) return {};
  // The extension is looked for in the file name only: the program's own folder
  // (~/.local/share/varlo) and many music folders have dots in their names.
  if (GetFileName(path).find('.') != std::string::npos) return path;
  return FindPicture(path);
}

}  // namespace varlo
