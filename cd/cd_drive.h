#pragma once
#include <functional>
#include <optional>
#include <string>

#include "cd/disc_toc.h"

namespace varlo {

// What the drive last said about its disc.
enum class DriveState {
  Unknown,   // not asked yet, or the drive gives no answer
  NoDisc,    // closed and empty, or the disc cannot be read
  TrayOpen,  // the tray is out
  Ready,     // a disc is in
};

// The CD drive (or a disc image standing in for one).
//
// Threading: every call happens on the GUI thread and returns at once. Spinning the disc up,
// reading its table of contents and ejecting take the drive's own time, so they run on a
// thread of the backend's, and their results come back as calls on the GUI thread, never
// inside the call that asked.
class CdDrive {
 public:
  virtual ~CdDrive() = default;

  // The drive's state as last seen. The backend looks again on its own thread about every
  // 100 ms; this never waits for the drive.
  virtual DriveState State() const = 0;

  // Reads the disc's table of contents; `done` gets it, or nullopt when no readable disc is
  // in. A read asked for while one runs joins it (both `done`s run with its result), unless
  // Eject() was called in between: a read asked after an eject looks at the drive after it.
  virtual void ReadDisc(std::function<void(std::optional<DiscToc>)> done) = 0;

  // Opens the tray, or ejects the image.
  virtual void Eject() = 0;

  // The address the media device opens to play the disc: its sectors from sector 0 to the
  // lead-out as raw 44.1 kHz 16-bit stereo sound, data tracks as silence.
  virtual std::string StreamAddress() const = 0;
};

// No drive at all.
class NullCdDrive final : public CdDrive {
 public:
  DriveState State() const override { return DriveState::NoDisc; }
  void ReadDisc(std::function<void(std::optional<DiscToc>)>) override {}
  void Eject() override {}
  std::string StreamAddress() const override { return {}; }
};

}  // namespace varlo
