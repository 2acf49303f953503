#pragma once
#include <array>
#include <string>
#include <string_view>

namespace varlo {

// The program's own folder, where the default skin, the playlist, the station lists and the
// documents live: $VARLO_HOME when set, else $XDG_DATA_HOME/varlo (~/.local/share/varlo).
// Returned without a trailing "/".
std::string ProgramFolder();

// Copies every file below `shippedDir` that is missing in `programDir` into it, keeping the
// relative layout; files already there (the user's) are never overwritten. Each copy is
// written to a temporary and renamed into place, so a copy cut short never stands as the
// real file. A file shorter than the shipped one whose bytes are the start of it, which an
// interrupted copy of an earlier version left, is copied again; stale temporaries of the
// shipped files' names are removed. Returns the number of files written.
int InstallMissingFiles(const std::string& shippedDir, const std::string& programDir);

// The files the program writes in its own folder.
inline constexpr std::array<std::string_view, 6> kProgramFolderFiles = {
    "playlist.m3u", "autolist.txt", "stations.txt", "webradio.txt", "url-list.txt", "cdplayer.ini"};

// Removes the temporaries that writes killed part way left beside the program's own files
// (those above and the settings file at `settingsPath`) and beside the files elsewhere that
// the list of pending writes names (common/pending_writes.h). Meant for start-up; see
// RemoveStaleTemporaries for what is never removed. Returns how many were removed.
int RemoveStaleProgramTemporaries(const std::string& programDir, const std::string& settingsPath);

}  // namespace varlo
