#pragma once
#include <string>

namespace varlo {

// The list of files outside the program folder being replaced right now, kept as
// "writes.pending" in the program folder while each write lasts. A write killed part way
// leaves its temporary beside such a file (a note, a saved playlist, a song whose tag was
// written), where the start's clean-up of the program's own files would never look; the list
// tells it where. GUI thread only.
inline constexpr const char* kPendingWritesFile = "writes.pending";

class PendingWrite {
 public:
  // Puts `path` on the list in `programFolder` (nothing when either is empty). A list that
  // cannot be written does not stop the write; only its clean-up after a kill is lost.
  PendingWrite(std::string programFolder, std::string path);
  // Takes it off again; the list goes once empty.
  ~PendingWrite();
  PendingWrite(const PendingWrite&) = delete;
  PendingWrite& operator=(const PendingWrite&) = delete;

 private:
  std::string list_;
  std::string path_;
};

// Removes the temporaries left beside every file the list in `programFolder` names (see
// RemoveStaleTemporaries for what is never removed), then the list itself. Meant for start-up;
// returns how many temporaries were removed.
int RemoveStaleTemporariesOfPendingWrites(const std::string& programFolder);

}  // namespace varlo
