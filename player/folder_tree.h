#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// Called now and then while a folder tree is read with the number of files taken so far,
// so the caller can let pending window events run and show progress.
using FolderTreeProgress = std::function<void(std::size_t filesTaken)>;

// Appends every file of `folder` and all its subfolders whose extension (upper case) occurs
// in the upper-cased `extensions` text ("mpa" also takes ".a" files): the display name of
// the file name without extension to `names`, the full path to `paths`. Folders are visited
// breadth-first, files in the order the file system lists them. Files without an extension
// are not taken. A folder link is followed once, so a link up the tree cannot loop. A walk
// that `cancel` stops (it may be set from another thread) keeps the files found so far.
// Returns the count.
std::size_t AddFolderTree(const std::string& folder, std::vector<std::string>& names,
                          std::vector<std::string>& paths, std::string_view extensions,
                          int friendlyNames, const FolderTreeProgress& progress = {},
                          const std::atomic<bool>* cancel = nullptr);

}  // namespace varlo
