#pragma once
#include <memory>
#include <optional>
#include <string>

#include "cd/disc_audio_stream.h"
#include "cd/disc_toc.h"

typedef struct _CdIo CdIo_t;

namespace varlo {

// The drive Varlo plays: $VARLO_CDROM (a device or a .cue, .bin, .toc or .nrg image), else
// the system's default CD drive; empty when there is none.
std::string DefaultCdSource();

// Whether `source` names a disc image rather than a device (by its extension, any case).
bool IsDiscImage(const std::string& source);

// An open disc: a libcdio handle, closed with the object.
class CdioDisc {
 public:
  // Opens `source` with the driver its name calls for; null when it cannot be opened.
  static std::unique_ptr<CdioDisc> Open(const std::string& source);
  ~CdioDisc();
  CdioDisc(const CdioDisc&) = delete;
  CdioDisc& operator=(const CdioDisc&) = delete;

  // The table of contents; nullopt when the disc has no readable one. It says where the last
  // session starts when the drive tells (or a Nero image's chunk list does).
  std::optional<DiscToc> ReadToc() const;
  // Reads `count` audio sectors from `lsn`; false on a read error.
  bool ReadAudio(std::int32_t lsn, std::int32_t count, std::uint8_t* out) const;
  // The file an image's sectors are read from (a cue sheet's .bin, or the image itself);
  // empty for a drive.
  std::string ImageDataFile() const;

 private:
  CdioDisc(CdIo_t* handle, int lastSessionTrack)
      : handle_(handle), lastSessionTrack_(lastSessionTrack) {}
  CdIo_t* handle_;
  int lastSessionTrack_;  // from an image's own layout: the last session's first track, or 0
};

// The sectors of an open disc for the audio stream.
class CdioSectorSource final : public SectorSource {
 public:
  explicit CdioSectorSource(std::unique_ptr<CdioDisc> disc) : disc_(std::move(disc)) {}
  bool ReadAudio(std::int32_t lsn, std::int32_t count, std::uint8_t* out) override {
    return disc_->ReadAudio(lsn, count, out);
  }

 private:
  std::unique_ptr<CdioDisc> disc_;
};

// The disc in `source` as a WAV stream; null when no readable disc is there. With `toc`, the
// table of contents already read is taken instead of reading it again.
std::unique_ptr<ByteStream> OpenDiscStream(const std::string& source,
                                           const std::optional<DiscToc>& toc = std::nullopt);

}  // namespace varlo
