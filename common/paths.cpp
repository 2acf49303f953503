#include "common/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace varlo {

std::string AddSlash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + "/";
}

bool FileExists(const std::string& name) {
  if (name.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(name, ec);
}

bool DirExists(const std::string& name) {
  if (name.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_directory(name, ec);
}

std::string GetPath(const std::string& path) {
  const auto pos = path.rfind('/');
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string GetFileName(const std::string& path) {
  const auto pos = path.rfind('/');
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string GetExt(const std::string& path) {
  const auto pos = path.rfind('.');
  return pos == std::string::npos ? std::string() : path.substr(pos + 1);
}

std::string StripExt(const std::string& path) {
  const auto pos = path.rfind('.');
  return pos == std::string::npos ? path : path.substr(0, pos);
}

std::string FindPicture(const std::string& base) {
  // Windows file names ignore case; here the upper- and lower-case spellings are both tried.
  for (const char* ext : {".BMP", ".bmp", ".GIF", ".gif", ".JPG", ".jpg"}) {
    std::string candidate = base + ext;
    if (FileExists(candidate)) return candidate;
  }
  return {};
}

std::string AbsoluteItem(const std::string& item) {
  if (item.empty() || IsFullPath(item) || item.find("://") != std::string::npos) return item;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(item, ec);
  if (ec) return item;
  return absolute.lexically_normal().string();
}

bool IsFullPath(const std::string& path) {
  return !path.empty() && path.front() == '/';
}

std::string ToHostPath(std::string path) {
  // Most paths hold no "\": finding that out is a fast search, the replacing a slow loop.
  for (auto at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
    path[at] = '/';
  return path;
}

}  // namespace varlo
