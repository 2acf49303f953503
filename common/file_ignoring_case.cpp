#include "common/file_ignoring_case.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "common/paths.h"

namespace varlo {
namespace {

char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// The entry of `folder` named `part` in any case, preferring the exact name.
std::optional<std::string> MatchInFolder(const std::string& folder, const std::string& part) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(folder + part, ec)) return part;
  std::optional<std::string> best;
  fs::directory_iterator it(folder.empty() ? "." : folder, ec), end;
  for (std::size_t seen = 0; !ec && it != end && seen < kMaxCaseSearchEntries;
       it.increment(ec), ++seen) {
    std::string name = it->path().filename().string();
    if (SameIgnoringCase(name, part) && (!best || name < *best)) best = std::move(name);
  }
  return best;
}

}  // namespace

std::string FindFileIgnoringCase(const std::string& folder, const std::string& relative) {
  const std::string exact = folder + relative;
  if (FileExists(exact)) return exact;
  std::string path = folder;  // the folder found so far, ending in "/" (or empty)
  for (std::size_t start = 0; start < relative.size();) {
    std::size_t end = relative.find('/', start);
    const bool last = end == std::string::npos;
    if (last) end = relative.size();
    const std::string part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      path += "../";
      continue;
    }
    const auto match = MatchInFolder(path, part);
    if (!match) return {};
    path += *match;
    if (!last) path += "/";
  }
  return FileExists(path) ? path : std::string();
}

}  // namespace varlo
