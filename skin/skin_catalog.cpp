#include "skin/skin_catalog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "skin/field_reader.h"

namespace varlo {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool EndsWithSkin(const std::string& name) {
  constexpr std::string_view ending = ".skin";
  return name.size() > ending.size() &&
         EqualsNoCase(std::string_view(name).substr(name.size() - ending.size()), ending);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

}  // namespace

std::optional<SkinHeader> ParseSkinHeader(std::string_view head) {
  SkinFieldReader reader(head);
  std::string header = reader.Next();
  SkinHeader result;
  if (header == "Tarnix Skin") {
    result.kinds = "Player";
  } else if (const auto slash = header.find('/'); slash != std::string::npos) {
    result.kinds = header.substr(slash + 1);
    header.resize(slash);
  }
  if (header != "Varlo Skin" && header != "Tarnix Skin") return std::nullopt;
  result.description = std::string(TrimBlanks(reader.RestOfLine()));
  return result;
}

bool HasKind(std::string_view kinds, std::string_view filter) {
  std::size_t i = 0;
  while (i < kinds.size()) {
    while (i < kinds.size() && IsBlank(kinds[i])) ++i;
    std::size_t end = i;
    while (end < kinds.size() && !IsBlank(kinds[end])) ++end;
    if (end > i && EqualsNoCase(kinds.substr(i, end - i), filter)) return true;
    i = end;
  }
  return false;
}

std::string SkinEntry::Text() const {
  return UpperCase(name) + " > " + header.description;
}

SkinDir ReadSkinDir(const std::string& folder, std::string_view filter,
                    const std::vector<std::string>& favourites, SkinDirBounds bounds) {
  SkinDir dir;
  // The names first, so the skins listed are the first by name, not by directory order.
  std::vector<std::filesystem::path> files;
  std::error_code error;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
  std::size_t seen = 0;
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error), ++seen) {
    if (seen == bounds.entries) {
      dir.moreEntries = true;
      break;
    }
    // A file that cannot be looked at (a dangling link) is left out, and the walk goes on.
    std::error_code fileError;
    const std::string name = it->path().filename().string();
    if (EndsWithSkin(name) && it->is_regular_file(fileError)) files.push_back(it->path());
  }
  const auto key = [](const std::filesystem::path& p) { return p.filename().string(); };
  std::sort(files.begin(), files.end(), [&key](const auto& a, const auto& b) {
    const std::string na = key(a), nb = key(b);
    const std::string ua = UpperCase(na), ub = UpperCase(nb);
    return ua != ub ? ua < ub : na < nb;
  });

  const bool all = EqualsNoCase(filter, "All");
  const bool favourite = EqualsNoCase(filter, "Favorite");
  for (const std::filesystem::path& file : files) {
    SkinEntry entry;
    entry.path = file.string();
    const auto header = ParseSkinHeader(ReadFileHead(entry.path, kSkinHeadBytes));
    if (!header) continue;
    entry.header = *header;
    bool shown = all || HasKind(entry.header.kinds, filter);
    if (favourite && !shown)
      shown = std::any_of(favourites.begin(), favourites.end(), [&](const std::string& f) {
        return !f.empty() && SameFile(f, entry.path);
      });
    if (!shown) continue;
    // One skin past the bound is enough to know the list is cut.
    if (dir.entries.size() == bounds.skins) {
      dir.moreSkins = true;
      break;
    }
    const std::string name = key(file);
    entry.name = name.substr(0, name.size() - 5);
    dir.entries.push_back(std::move(entry));
  }
  return dir;
}

}  // namespace varlo
