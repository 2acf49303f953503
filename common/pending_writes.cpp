#include "common/pending_writes.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "common/atomic_file.h"
#include "common/paths.h"
#include "common/program_folder.h"

namespace varlo {
namespace {

// A few paths at a time are written; anything larger is not a list of ours.
constexpr std::size_t kMaxListBytes = 64 * 1024;

std::vector<std::string> ReadList(const std::string& list) {
  std::vector<std::string> paths;
  const std::string text = ReadFileHead(list, kMaxListBytes);
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    // Only full paths count: a damaged line must not name a folder relative to the start's.
    if (end > at && text[at] == '/') paths.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return paths;
}

void WriteList(const std::string& list, const std::vector<std::string>& paths) {
  if (paths.empty()) {
    unlink(list.c_str());
    return;
  }
  std::string text;
  for (const std::string& p : paths) text += p + "\n";
  WriteFileAtomic(list, text);
}

}  // namespace

PendingWrite::PendingWrite(std::string programFolder, std::string path) : path_(std::move(path)) {
  // A path with a line break could not be listed as one line; it is written unlisted.
  if (programFolder.empty() || path_.empty() || path_.front() != '/' ||
      path_.find('\n') != std::string::npos)
    return;
  // The start's clean-up looks beside the program folder's own files anyway.
  for (const std::string_view own : kProgramFolderFiles)
    if (path_ == AddSlash(programFolder) + std::string(own)) return;
  list_ = AddSlash(programFolder) + kPendingWritesFile;
  std::vector<std::string> paths = ReadList(list_);
  paths.push_back(path_);
  WriteList(list_, paths);
}

PendingWrite::~PendingWrite() {
  if (list_.empty()) return;
  std::vector<std::string> paths = ReadList(list_);
  const auto it = std::find(paths.begin(), paths.end(), path_);
  if (it != paths.end()) paths.erase(it);
  WriteList(list_, paths);
}

int RemoveStaleTemporariesOfPendingWrites(const std::string& programFolder) {
  const std::string list = AddSlash(programFolder) + kPendingWritesFile;
  const std::vector<std::string> paths = ReadList(list);
  const int removed = paths.empty() ? 0 : RemoveStaleTemporaries(paths);
  unlink(list.c_str());
  return removed;
}

}  // namespace varlo
