#pragma once
#include <string>
#include <string_view>

namespace varlo {

// What became of writing a file: done, or the system's error number of the step that failed,
// so that a message can name the real cause ("No space left on device", not a guess).
class WriteStatus {
 public:
  // A write that succeeded.
  WriteStatus() = default;
  // A failed write; an error of 0 (a step that set none) is taken as EIO.
  static WriteStatus Failed(int error);

  explicit operator bool() const { return error_ == 0; }
  bool Ok() const { return error_ == 0; }
  int Error() const { return error_; }
  // The system's words for the error, e.g. "Permission denied"; empty when the write succeeded.
  std::string Reason() const;

  bool operator==(const WriteStatus&) const = default;

 private:
  int error_ = 0;
};

// `message` with the system's reason on a second line: "Unable to write Playlist! Is the file
// read-only?\nNo space left on device". A success gives `message` alone.
std::string WithReason(std::string_view message, const WriteStatus& status);

// Tells of a writer's failures once: after the user was told of one, further failures for the
// same cause stay silent until a write succeeds again, so that a list saved after every edit
// does not bring up a box at each edit of a full disk.
class WriteFailureNotice {
 public:
  // True when `status` is a failure the user has not been told of yet.
  bool ShouldTell(const WriteStatus& status);

 private:
  int told_ = 0;
};

}  // namespace varlo
