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
  if (UpperCase(header) == "TARNIX SKIN") {
    result.kinds = "Player";
    header = "Tarnix Skin";
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

std::vector<SkinEntry> ReadSkinDir(const std::string& folder, std::string_view filter,
                                   const std::vector<std::string>& favourites) {
  std::vector<SkinEntry> entries;
  std::error_code error;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
  const bool all = EqualsNoCase(filter, "All");
  const bool favourite = EqualsNoCase(filter, "Favorite");
  std::size_t seen = 0;
  for (; !error && it != std::filesystem::directory_iterator() && seen < kMaxSkinFolderEntries;
       it.increment(error), ++seen) {
    const std::string name = it->path().filename().string();
    if (!EndsWithSkin(name) || !it->is_regular_file(error)) continue;
    SkinEntry entry;
    entry.path = it->path().string();
    const auto header = ParseSkinHeader(ReadFileHead(entry.path, kSkinHeadBytes));
    if (!header) continue;
    entry.header = *header;
    entry.name = name.substr(0, name.size() - 5);
    bool shown = all || HasKind(entry.header.kinds, filter);
    if (favourite && !shown)
      shown = std::any_of(favourites.begin(), favourites.end(), [&](const std::string& f) {
        return !f.empty() && SameFile(f, entry.path);
      });
    if (shown) entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const SkinEntry& a, const SkinEntry& b) {
    const std::string ua = UpperCase(a.name), ub = UpperCase(b.name);
    return ua != ub ? ua < ub : a.name < b.name;
  });
  return entries;
}

}  // namespace varlo
