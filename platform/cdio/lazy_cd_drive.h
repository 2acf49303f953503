#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cd/cd_drive.h"
#include "platform/byte_stream.h"

namespace varlo {

// What the CD plugin (libcdio) offers. Every call is thread-safe.
class CdioBackend {
 public:
  using Post = std::function<void(std::function<void()>)>;
  virtual ~CdioBackend() = default;
  // $VARLO_CDROM, else the system's default CD drive; empty when there is none.
  virtual std::string DefaultSource() = 0;
  // The drive `source` names (a device, or a .cue, .bin, .toc or .nrg image), looked at every
  // `pollMs` on a thread of its own, its answers posted with `post` (see CdioDrive).
  virtual std::unique_ptr<CdDrive> MakeDrive(const std::string& source, Post post, int pollMs) = 0;
  // The disc in `source` as a WAV stream; null when no readable disc is there.
  virtual std::unique_ptr<ByteStream> OpenDiscStream(const std::string& source) = 0;
};

}  // namespace varlo

// The CD plugin's one export: its backend, which lives as long as the process.
using VarloCdioBackend = varlo::CdioBackend* (*)();
inline constexpr const char* kVarloCdioPlugin = "libvarlo_cdio.so";
inline constexpr const char* kVarloCdioBackendName = "varlo_cdio_backend";

namespace varlo {

// The CD drive of the CD plugin, loaded the first time CD mode asks for the drive (or the
// media engine opens the disc), so that a program never in CD mode does not map libcdio.
// Without the plugin there is no disc. Threading as CdDrive says; Protocol()'s opener is
// called on the engine's threads.
class LazyCdDrive final : public CdDrive {
 public:
  using Post = CdioBackend::Post;
  // The drive `source` names; nullopt for the default one, asked of the plugin when first
  // needed. `plugin` is the plugin's path, empty for the one in the program's plugin folder.
  LazyCdDrive(std::optional<std::string> source, Post post, int pollMs = 100,
              std::string plugin = {});
  ~LazyCdDrive() override;
  LazyCdDrive(const LazyCdDrive&) = delete;
  LazyCdDrive& operator=(const LazyCdDrive&) = delete;

  DriveState State() const override;
  void ReadDisc(std::function<void(std::optional<DiscToc>)> done) override;
  void Eject() override;
  std::string StreamAddress() const override { return "varlocd://disc"; }

  // What the media engine opens the disc's sound through: addresses of StreamAddress()'s kind.
  StreamProtocol Protocol() const;

 private:
  struct Plugin;  // the backend and the source, found once, for the engine's threads too
  CdDrive* Drive() const;

  std::shared_ptr<Plugin> plugin_;
  Post post_;
  int pollMs_;
  mutable std::unique_ptr<CdDrive> drive_;
  mutable bool tried_ = false;
  // Answers posted for a drive that cannot be made find this gone and do nothing.
  std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
};

}  // namespace varlo
