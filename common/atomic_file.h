#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/write_status.h"

namespace varlo {

// The path a file finally has once symbolic links are followed: a path that is no link is
// returned as it is; a link whose target is missing gives that target (writing it creates
// it). Empty for a loop of links or a link that cannot be read.
std::string ResolveLinks(const std::string& path);

// Writes one file so that it ends up holding either its old content or the whole new one.
// The bytes go to a temporary "<name>.tmpXXXXXX" beside the target (six letters or digits),
// locked while it is written so that a clean-up at start never takes it from a running
// writer. Commit syncs it, renames it over the target and syncs the folder. Through a
// symbolic link the file it points at is replaced and the link stays a link. The new file
// keeps the old one's mode bits and, where allowed, its owner; a new file gets 0666 less
// the umask. Missing parent folders are created. A file or folder the user marked read-only
// (common/write_protect.h) is never replaced, not even by the super-user, whose writes pass
// over the mode bits: the writer fails with EACCES. Not for use by two threads at once.
class AtomicWriter {
 public:
  explicit AtomicWriter(const std::string& path);
  // Removes the temporary unless Commit succeeded.
  ~AtomicWriter();
  AtomicWriter(const AtomicWriter&) = delete;
  AtomicWriter& operator=(const AtomicWriter&) = delete;

  // False once opening or any write failed; Commit then fails too.
  bool Ok() const { return fd_ >= 0; }
  bool Write(std::string_view data);
  // Puts the written bytes in place; false (the old file untouched) on any failure. With
  // `unchanged`, asked once the bytes are safe and just before the rename: when it says the
  // target changed since the caller read it, nothing is replaced and the error is EAGAIN.
  bool Commit(const std::function<bool()>& unchanged = {});
  // The first failure so far, with the system's error number of the step that failed.
  WriteStatus Status() const { return error_ == 0 ? WriteStatus() : WriteStatus::Failed(error_); }
  // The file that Commit replaces (after links).
  const std::string& Target() const { return target_; }

 private:
  void Abandon();
  // Remembers the first error (errno when 0) and gives the temporary up.
  bool Fail(int error = 0);

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  int error_ = 0;
};

// Writes `content` to `path` with an AtomicWriter. On any failure the previous file is
// untouched and the status tells why.
WriteStatus WriteFileAtomic(const std::string& path, std::string_view content);

// True when `name` is a temporary the writer makes for a file named `base`.
bool IsTemporaryOf(std::string_view name, std::string_view base);

// Removes the temporaries that interrupted writes left beside each of `files` (each a full
// path; links are followed as the writer follows them). Only names the writer makes for
// exactly these files and only regular files are removed, and never one that a running
// writer holds. Returns how many were removed.
int RemoveStaleTemporaries(const std::vector<std::string>& files);
// The same for `targets` that are their own targets (the links among the files already
// followed): no file is looked at before its folder is listed.
int RemoveStaleTemporariesOfTargets(const std::vector<std::string>& targets);

enum class ReadStatus {
  kOk,
  kMissing,     // no such file
  kNotRegular,  // a folder, pipe, device or socket
  kTooLarge,
  kFailed,  // could not be opened or read
};

struct FileRead {
  ReadStatus status = ReadStatus::kFailed;
  std::string data;
};

// Reads a regular file of at most `maxBytes`. Anything else is refused without reading: the
// type is checked before opening and again on the file opened without waiting, so a pipe
// or device named like a program file can never block. With `keepHead` a larger file gives
// its first `maxBytes` instead of kTooLarge.
FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, bool keepHead = false);

// The content of a regular file of at most `maxBytes`; nullopt otherwise.
std::optional<std::string> ReadFileBounded(const std::string& path, std::size_t maxBytes);

// The first `maxBytes` of a regular file; empty when it is missing, not regular or
// unreadable.
std::string ReadFileHead(const std::string& path, std::size_t maxBytes);

}  // namespace varlo
