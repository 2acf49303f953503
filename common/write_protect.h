#pragma once
#include <string>

namespace varlo {

// True when the user has marked `path` read-only: the file (followed through links) carries no
// write bit for anyone, or the folder a new file would be made in (the file's own, or the
// nearest existing one above a folder still to be made) carries none. The writers replace files
// by renaming a new one over them, which needs the folder only, and the super-user's writes pass
// over the mode bits altogether, so the atomic writer asks this before it writes.
bool IsWriteProtected(const std::string& path);

}  // namespace varlo
