#pragma once
#include <string>
#include <string_view>

namespace varlo {

// The name shown for a file name or path: a trailing " (mm:ss)" is cut, only the part after
// the last "/" stays and blanks around it go. With friendly names (`friendlyNames` above 0)
// "_" and dots before the extension become blanks and a leading track number ("03-",
// "03 - ") is cut: "03-My_Song.mp3" shows as "My Song.mp3".
std::string DisplayName(std::string_view text, int friendlyNames);

}  // namespace varlo
