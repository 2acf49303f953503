#pragma once
#include <cstddef>
#include <string>

namespace varlo {

// Folders are searched through at most this many entries each.
inline constexpr std::size_t kMaxCaseSearchEntries = 65536;

// The existing regular file `folder` (empty or ending in "/") + `relative`: that exact path when it
// exists, else the path whose parts match those of `relative` without regard to the case of ASCII
// letters (files written on Windows name "Main.BMP" for "main.bmp"), each part taken
// exactly when it exists and otherwise from its folder's entries (the first such name in
// byte order when several match). Empty when there is none.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& relative);

}  // namespace varlo
