#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cd/cd_drive.h"
#include "platform/byte_stream.h"

namespace varlo {

// The CD drive through libcdio and the Linux CD-ROM calls, or a disc image standing in for
// one. A thread of its own looks at the drive every `pollMs`, reads tables of contents and
// ejects, so no call on the GUI thread waits for the drive; results come back through `post`,
// which must run the function it is given later on the GUI thread.
//
// The device is opened non-blocking (a plain open of an ejected drive pulls its tray in) and
// only its status is asked until a disc is reported in. A device that fails to answer is
// closed and opened afresh on the next look, so a USB drive that went away and came back is
// found again. The drive is looked at only while
// someone asks for its state (CD mode does so every tick), so the program without CD mode
// never wakes for it. An image behaves like a drive with
// its disc in: eject takes the disc out, a second eject puts it back; an image whose sector
// file is cut short or removed after its disc was read has no disc until it is whole again.
class CdioDrive final : public CdDrive {
 public:
  using Post = std::function<void(std::function<void()>)>;
  CdioDrive(std::string source, Post post, int pollMs = 100);
  ~CdioDrive() override;
  CdioDrive(const CdioDrive&) = delete;
  CdioDrive& operator=(const CdioDrive&) = delete;

  DriveState State() const override;
  void ReadDisc(std::function<void(std::optional<DiscToc>)> done) override;
  void Eject() override;
  std::string StreamAddress() const override { return "varlocd://disc"; }

  const std::string& Source() const { return source_; }
  // What the media engine opens the disc's sound through: addresses of StreamAddress()'s kind.
  // The stream takes the table of contents the drive read last, so that opening it reads
  // the disc no further than its sectors; until a table is read it reads one itself.
  StreamProtocol Protocol() const;

 private:
  void Run();
  DriveState Look();
  bool OpenDevice();
  void CloseDevice();
  void DoEject();
  // Notes the file a disc just read from an image keeps its sectors in.
  void NoteImageData(const std::string& file);
  void Deliver(std::function<void()> call);
  // Answers the reads asked up to number `asked` with `toc`. GUI thread.
  void Answer(std::uint64_t asked, const std::optional<DiscToc>& toc);

  // The callers of one read of the table; reads asked while it is on its way join it, unless
  // an eject came in between (the disc it reads may be the one that went).
  struct PendingRead {
    std::uint64_t number = 0;  // as counted by readsAsked_
    std::uint64_t ejects = 0;  // ejects asked before it
    std::vector<std::function<void(std::optional<DiscToc>)>> done;
  };

  const std::string source_;
  const bool image_;
  const Post post_;
  const int pollMs_;
  std::atomic<DriveState> state_{DriveState::Unknown};
  // GUI thread only: reads not answered yet, oldest first, and the ejects asked so far.
  std::deque<PendingRead> reads_;
  std::uint64_t ejects_ = 0;

  mutable std::mutex mutex_;
  mutable std::condition_variable wake_;
  bool stop_ = false;
  bool readWanted_ = false;
  std::uint64_t readsAsked_ = 0;  // numbers the reads; a read made answers all up to its number
  bool ejectWanted_ = false;
  mutable bool asked_ = false;  // State() was called since the drive thread last looked

  // The drive thread's own.
  int fd_ = -1;
  bool imageOut_ = false;
  // The file an image's disc was last read from, and its size then: an image whose sectors
  // shrink or go away under a playing disc is a disc that cannot be read to its end, and is
  // taken out. Forgotten when the image is ejected or its own file goes.
  std::string imageData_;
  std::uintmax_t imageDataBytes_ = 0;

  // The table the drive read last, for the stream; cleared once the disc may have changed.
  struct KnownToc {
    std::mutex mutex;
    std::optional<DiscToc> toc;
    void Set(std::optional<DiscToc> value) {
      std::lock_guard lock(mutex);
      toc = std::move(value);
    }
    std::optional<DiscToc> Get() {
      std::lock_guard lock(mutex);
      return toc;
    }
  };
  std::shared_ptr<KnownToc> knownToc_ = std::make_shared<KnownToc>();

  // Calls posted before the drive went away find it gone and do nothing.
  std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
  std::thread thread_;
};

}  // namespace varlo
