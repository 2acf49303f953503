#include "player/folder_tree.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "common/numtext.h"
#include "common/paths.h"
#include "player/display_name.h"

namespace varlo {
namespace {

namespace fs = std::filesystem;

// How many directory entries pass between two progress calls.
constexpr std::size_t kProgressEvery = 256;

}  // namespace

std::size_t AddFolderTree(const std::string& folder, std::vector<std::string>& names,
                          std::vector<std::string>& paths, std::string_view extensions,
                          int friendlyNames, const FolderTreeProgress& progress,
                          const std::atomic<bool>* cancel) {
  const std::string root = AddSlash(folder);
  if (root.empty()) return 0;
  const std::string wanted = UpperCase(extensions);

  // Each folder is listed once; its files are kept for the second pass so that folders
  // still come first, in breadth-first order, and files after them in name order.
  std::vector<std::string> folders{root};
  std::vector<std::vector<std::string>> files;
  std::set<fs::path> seen;
  {
    std::error_code ec;
    seen.insert(fs::canonical(root, ec));
  }
  std::size_t entries = 0;
  std::size_t taken = 0;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (cancel && cancel->load()) {
      folders.resize(i);
      break;
    }
    files.emplace_back();
    const std::size_t firstSub = folders.size();
    std::error_code ec;
    fs::directory_iterator it(folders[i], ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      const fs::directory_entry& entry = *it;
      std::string name = entry.path().filename().string();
      std::error_code typeEc;
      if (entry.is_directory(typeEc)) {
        std::string sub = folders[i] + name + "/";
        // A link back up the tree would otherwise be followed for ever.
        if (entry.is_symlink(typeEc) && !seen.insert(fs::canonical(sub, typeEc)).second) continue;
        folders.push_back(std::move(sub));
      } else {
        const std::string ext = UpperCase(GetExt(name));
        if (!ext.empty() && wanted.find(ext) != std::string::npos) {
          files[i].push_back(std::move(name));
          ++taken;
        }
      }
      if (progress && ++entries % kProgressEvery == 0) progress(taken);
    }
    // Directory listings come in no useful order here; a listing sorted by name is what
    // people expect to see (and what the file systems of other desktops return).
    std::sort(folders.begin() + static_cast<std::ptrdiff_t>(firstSub), folders.end());
    std::sort(files[i].begin(), files[i].end());
  }

  names.reserve(names.size() + taken);
  paths.reserve(paths.size() + taken);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    for (const auto& name : files[i]) {
      names.push_back(DisplayName(StripExt(name), friendlyNames));
      paths.push_back(folders[i] + name);
    }
  }
  if (progress) progress(taken);
  return taken;
}

}  // namespace varlo
