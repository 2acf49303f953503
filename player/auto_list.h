#pragma once
#include <string>
#include <vector>

#include "common/write_status.h"

namespace varlo {

// The on/off schedule lines kept in "autolist.txt" in the program's folder.
inline constexpr const char* kAutoListFile = "autolist.txt";

// Appends every line of the file that is not blank after trimming, trimmed, in file order.
// A missing file appends nothing.
void ReadAutoList(const std::string& programFolder, std::vector<std::string>& list);

// Writes one line per entry, each ending in CR LF, atomically; a failure tells its cause.
WriteStatus WriteAutoList(const std::string& programFolder, const std::vector<std::string>& list);

}  // namespace varlo
