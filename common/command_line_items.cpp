#include "common/command_line_items.h"

#include <algorithm>
#include <optional>

#include "common/paths.h"

namespace varlo {
namespace {

std::string ItemOf(const std::string& arg) {
  if (std::optional<std::string> local = FileUriPath(arg)) return *local;
  return AbsoluteItem(arg);
}

bool Exists(const std::string& item) {
  return FileExists(item) || DirExists(item);
}

}  // namespace

std::vector<std::string> CommandLineItems(const std::vector<std::string>& args) {
  std::vector<std::string> items;
  for (const std::string& arg : args)
    if (!arg.empty()) items.push_back(ItemOf(arg));
  if (items.size() > 1 && std::none_of(items.begin(), items.end(), Exists)) {
    std::string joined;
    for (const std::string& arg : args) joined += (joined.empty() ? "" : " ") + arg;
    const std::string item = ItemOf(joined);
    if (Exists(item)) return {item};
  }
  return items;
}

}  // namespace varlo
