#pragma once
#include <string>
#include <string_view>

// Choosing the cover picture of the entry playing.
namespace varlo {

// The cover of a tagged file in `folder`: of album B, artist A (both trimmed) the pictures
// F + B, F + A + "-" + B and F + A + " - " + B are looked for in that order, each as ".BMP",
// ".GIF" or ".JPG" in either case, and the last one found wins. B is tried only when not
// empty, the two with the artist only when A is not empty. Empty when none exists.
std::string TagCoverPicture(const std::string& folder, std::string_view artist,
                            std::string_view album);

// The picture to show for a search result: `found`, else the playlist's picture when it has
// one, else "nocover.bmp" in the program's folder.
std::string CoverFallback(const std::string& found, const std::string& plCover,
                          const std::string& programFolder);

// The file a cover request names: the path itself (existing or not) when its file name has
// an extension, otherwise the first existing picture of that base name, or empty when there
// is none. Empty for an empty path.
std::string CoverFile(const std::string& path);

}  // namespace varlo
