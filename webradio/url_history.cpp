#include "webradio/url_history.h"

#include <algorithm>

#include "common/atomic_file.h"
#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {

std::vector<std::string> ParseUrlList(std::string_view text) {
  std::vector<std::string> addresses;
  text = text.substr(0, kMaxUrlListBytes);
  while (!text.empty() && addresses.size() < kMaxUrlHistory) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = TrimBlanks(line.substr(0, kMaxUrlBytes));
    if (line.empty()) continue;
    if (std::find(addresses.begin(), addresses.end(), line) != addresses.end()) continue;
    addresses.emplace_back(line);
  }
  return addresses;
}

std::string UrlListText(const std::vector<std::string>& addresses) {
  std::string out;
  for (const std::string& a : addresses) {
    out += a;
    out += "\r\n";
  }
  return out;
}

bool AddToHistory(std::vector<std::string>& history, std::string_view address) {
  address = TrimBlanks(address.substr(0, kMaxUrlBytes));
  // An address is one line of the file.
  if (address.empty() || address.find_first_of("\r\n") != std::string_view::npos) return false;
  if (!history.empty() && history.front() == address) return false;
  std::vector<std::string> updated;
  updated.reserve(kMaxUrlHistory);
  updated.emplace_back(address);
  for (std::string& old : history) {
    if (updated.size() >= kMaxUrlHistory) break;
    if (old != address) updated.push_back(std::move(old));
  }
  history.swap(updated);
  return true;
}

std::vector<std::string> LoadUrlList(const std::string& programFolder) {
  const FileRead read =
      ReadRegularFile(AddSlash(programFolder) + kUrlListFile, kMaxUrlListBytes, true);
  if (read.status != ReadStatus::kOk && read.status != ReadStatus::kTooLarge) return {};
  return ParseUrlList(read.data);
}

WriteStatus SaveUrlList(const std::string& programFolder,
                        const std::vector<std::string>& addresses) {
  return WriteFileAtomic(AddSlash(programFolder) + kUrlListFile, UrlListText(addresses));
}

}  // namespace varlo
