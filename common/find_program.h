#pragma once
#include <string>
#include <string_view>

namespace varlo {

// The full path of the executable `name` in the folders of `searchPath` (a colon-separated
// list as in $PATH; empty parts mean the current folder), or "" when none has it.
std::string FindOnPath(std::string_view name, std::string_view searchPath);

}  // namespace varlo
