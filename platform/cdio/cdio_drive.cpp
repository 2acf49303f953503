#include "platform/cdio/cdio_drive.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/cdio/cdio_disc.h"

namespace varlo {

CdioDrive::CdioDrive(std::string source, Post post, int pollMs)
    : source_(std::move(source)),
      image_(IsDiscImage(source_)),
      post_(std::move(post)),
      pollMs_(pollMs),
      thread_([this] { Run(); }) {}

CdioDrive::~CdioDrive() {
  alive_->store(false);
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
  CloseDevice();
}

DriveState CdioDrive::State() const {
  bool wasIdle = false;
  {
    std::lock_guard lock(mutex_);
    wasIdle = !asked_;
    asked_ = true;
  }
  if (wasIdle) wake_.notify_one();
  return state_.load();
}

StreamProtocol CdioDrive::Protocol() const {
  return {"varlocd", [source = source_, known = knownToc_](const std::string&) {
            return OpenDiscStream(source, known->Get());
          }};
}

void CdioDrive::ReadDisc(std::function<void(std::optional<DiscToc>)> done) {
  if (!reads_.empty() && reads_.back().ejects == ejects_) {
    reads_.back().done.push_back(std::move(done));  // joins the read already asked for
    return;
  }
  PendingRead read;
  read.ejects = ejects_;
  read.done.push_back(std::move(done));
  {
    std::lock_guard lock(mutex_);
    read.number = ++readsAsked_;
    readWanted_ = true;
  }
  reads_.push_back(std::move(read));
  wake_.notify_one();
}

void CdioDrive::Eject() {
  ++ejects_;
  {
    std::lock_guard lock(mutex_);
    ejectWanted_ = true;
  }
  wake_.notify_one();
}

void CdioDrive::Answer(std::uint64_t asked, const std::optional<DiscToc>& toc) {
  while (!reads_.empty() && reads_.front().number <= asked) {
    const PendingRead read = std::move(reads_.front());
    reads_.pop_front();
    for (const auto& done : read.done) done(toc);
  }
}

void CdioDrive::Deliver(std::function<void()> call) {
  post_([alive = alive_, call = std::move(call)] {
    if (alive->load()) call();
  });
}

DriveState CdioDrive::Look() {
  if (source_.empty()) return DriveState::NoDisc;
  if (image_) {
    if (imageOut_) return DriveState::TrayOpen;
    struct stat info {};
    if (::stat(source_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
      imageData_.clear();  // whatever comes back in its place is another disc
      return DriveState::NoDisc;
    }
    if (imageData_.empty()) return DriveState::Ready;
    const bool whole = ::stat(imageData_.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                       static_cast<std::uintmax_t>(info.st_size) >= imageDataBytes_;
    return whole ? DriveState::Ready : DriveState::NoDisc;
  }
  if (!OpenDevice()) return DriveState::NoDisc;  // no such drive, or no right to it
  const int status = ::ioctl(fd_, CDROM_DRIVE_STATUS, CDSL_CURRENT);
  if (status < 0) {
    // A drive unplugged leaves a descriptor that fails for good; the next look opens the
    // device again, under the same name once it is back.
    CloseDevice();
    return DriveState::Unknown;
  }
  switch (status) {
    case CDS_DISC_OK:
      return DriveState::Ready;
    case CDS_TRAY_OPEN:
      return DriveState::TrayOpen;
    case CDS_NO_DISC:
      return DriveState::NoDisc;
    default:
      // Still spinning up, or a drive that cannot say.
      return DriveState::Unknown;
  }
}

bool CdioDrive::OpenDevice() {
  if (fd_ < 0) fd_ = ::open(source_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  return fd_ >= 0;
}

void CdioDrive::CloseDevice() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void CdioDrive::DoEject() {
  if (image_) {
    imageOut_ = !imageOut_;
    imageData_.clear();
    return;
  }
  if (!OpenDevice()) return;
  const bool open = ::ioctl(fd_, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_TRAY_OPEN;
  if (!open) ::ioctl(fd_, CDROM_LOCKDOOR, 0);
  if (::ioctl(fd_, open ? CDROMCLOSETRAY : CDROMEJECT, 0) != 0)
    std::fprintf(stderr, "varlo: cannot %s the tray of %s: %s\n", open ? "close" : "open",
                 source_.c_str(), std::strerror(errno));
}

void CdioDrive::NoteImageData(const std::string& file) {
  struct stat info {};
  if (file.empty() || ::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    imageData_.clear();
    return;
  }
  imageData_ = file;
  imageDataBytes_ = static_cast<std::uintmax_t>(info.st_size);
}

void CdioDrive::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    // While nobody asks for the state and nothing is asked of the drive, the thread sleeps.
    wake_.wait(lock, [this] { return stop_ || readWanted_ || ejectWanted_ || asked_; });
    if (stop_) return;
    asked_ = false;
    const bool eject = ejectWanted_;
    const bool read = readWanted_;
    // Every read asked by now was asked after any eject taken here, which runs first.
    const std::uint64_t asked = readsAsked_;
    ejectWanted_ = readWanted_ = false;
    lock.unlock();

    if (eject) DoEject();
    const DriveState state = Look();
    state_.store(state);
    if (eject || (state != DriveState::Ready && state != DriveState::Unknown))
      knownToc_->Set(std::nullopt);
    if (read) {
      std::optional<DiscToc> toc;
      if (state == DriveState::Ready || state == DriveState::Unknown) {
        if (std::unique_ptr<CdioDisc> disc = CdioDisc::Open(source_)) {
          toc = disc->ReadToc();
          if (image_ && toc) NoteImageData(disc->ImageDataFile());
        }
      }
      knownToc_->Set(toc);
      Deliver([this, asked, toc = std::move(toc)] { Answer(asked, toc); });
    }

    // At most one look a tick, however often the state is asked for.
    lock.lock();
    wake_.wait_for(lock, std::chrono::milliseconds(pollMs_),
                   [this] { return stop_ || readWanted_ || ejectWanted_; });
  }
}

}  // namespace varlo
