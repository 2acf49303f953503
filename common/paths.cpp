#include "common/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/numtext.h"

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

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::optional<std::string> FileUriPath(std::string_view uri) {
  if (!StartsNoCase(uri, "file:")) return std::nullopt;
  std::string_view rest = uri.substr(5);
  if (rest.substr(0, 2) == "//") {
    // An authority: empty or "localhost" is this machine; any other host is not ours to open.
    rest.remove_prefix(2);
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && !EqualsNoCase(host, "localhost")) return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  std::string path;
  path.reserve(rest.size());
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == '%' && i + 2 < rest.size()) {
      const int hi = HexDigit(rest[i + 1]), lo = HexDigit(rest[i + 2]);
      if (hi >= 0 && lo >= 0) {
        const char byte = static_cast<char>(hi * 16 + lo);
        if (byte == '\0') return std::nullopt;
        path += byte;
        i += 2;
        continue;
      }
    }
    path += c;
  }
  // A Windows drive written as a URI ("file:///C:/Music") is the drive path it names.
  if (path.size() >= 3 && path[2] == ':' &&
      ((path[1] >= 'A' && path[1] <= 'Z') || (path[1] >= 'a' && path[1] <= 'z')))
    path.erase(0, 1);
  return path;
}

}  // namespace varlo
