#pragma once
#include <string>

#include "platform/dialogs.h"

namespace varlo {

// The filter text of a file kind: 0 all files, 1 media, 2 bitmaps, 3 text, 4 skins,
// 5 conversion files, 6 playlists. Unknown kinds give all files.
std::string FileFilter(int kind);

// The shared file-open dialog: an empty title becomes "Open File", an empty initial folder
// the program folder (with a trailing "/"). Starts with an empty name and the first filter.
// Returns the chosen file, or empty when cancelled.
std::string SelectFile(IDialogs& dialogs, int kind, const std::string& title,
                       const std::string& initialDir, const std::string& programFolder);

// Asks for a folder; empty when cancelled.
std::string BrowseFolder(IDialogs& dialogs, const std::string& prompt);

}  // namespace varlo
