#pragma once
#include <optional>
#include <string>
#include <string_view>

// Path helpers. Paths use "/" as the separator; "\" from files written on Windows is
// turned into "/" by ToHostPath before use.
namespace varlo {

// Appends "/" to a non-empty path that lacks one.
std::string AddSlash(const std::string& path);
// True for a non-empty name of an existing regular file; false on any error.
bool FileExists(const std::string& name);
// True for an existing directory.
bool DirExists(const std::string& name);
// The text up to and including the last "/" (empty if none).
std::string GetPath(const std::string& path);
// The text after the last "/".
std::string GetFileName(const std::string& path);
// The text after the last "." (empty if none).
std::string GetExt(const std::string& path);
// The text before the last "." (the whole text if none).
std::string StripExt(const std::string& path);
// The first existing of base + ".BMP", ".GIF", ".JPG" (also tried in lower case), else empty.
std::string FindPicture(const std::string& base);

// An item named on the command line as an absolute path: a relative path is taken from the
// current folder; addresses ("scheme://...") and absolute paths stay as they are.
std::string AbsoluteItem(const std::string& item);
// An absolute path starts at the file system root.
bool IsFullPath(const std::string& path);
// Reads a path written with "\" separators as a host path.
std::string ToHostPath(std::string path);
// The local path a "file:" URI names ("file:///a%20b.mp3", "file://localhost/a", "file:/a"),
// its percent-escapes decoded; nullopt for any other text, for a URI naming another host, and
// for one whose escapes decode to a zero byte (no file name holds one).
std::optional<std::string> FileUriPath(std::string_view uri);

}  // namespace varlo
