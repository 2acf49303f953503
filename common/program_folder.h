#pragma once
#include <string>

namespace varlo {

// The program's own folder, where the default skin, the playlist, the station lists and the
// documents live: $VARLO_HOME when set, else $XDG_DATA_HOME/varlo (~/.local/share/varlo).
// Returned without a trailing "/".
std::string ProgramFolder();

// Copies every file below `shippedDir` that is missing in `programDir` into it, keeping the
// relative layout; files already there (the user's) are never overwritten. Returns the
// number of files copied.
int InstallMissingFiles(const std::string& shippedDir, const std::string& programDir);

}  // namespace varlo
