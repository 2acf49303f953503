#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "cd/disc_toc.h"
#include "common/wave_header.h"
#include "platform/byte_stream.h"

namespace varlo {

inline constexpr std::int32_t kBytesPerSector = 2352;  // 588 stereo 16-bit samples

// Where the sectors come from: a drive or a disc image.
class SectorSource {
 public:
  virtual ~SectorSource() = default;
  // Reads `count` audio sectors from `lsn` on into `out` (count * 2352 bytes, little-endian
  // samples); false when the read failed.
  virtual bool ReadAudio(std::int32_t lsn, std::int32_t count, std::uint8_t* out) = 0;
};

// The disc as one WAV file: a 44-byte header for 44.1 kHz 16-bit stereo PCM, then every
// sector from 0 to the lead-out. A byte offset of the data is therefore a disc position, so
// the engine's time is the disc's time and seeking is plain arithmetic. Data tracks, and
// sectors the source cannot read, play as silence rather than noise or an end; the gap
// before a later session is silence that is never read.
class DiscAudioStream final : public ByteStream {
 public:
  DiscAudioStream(const DiscToc& toc, std::unique_ptr<SectorSource> source);

  std::int64_t Read(char* buffer, std::uint64_t size) override;
  std::int64_t Seek(std::int64_t offset) override;
  std::int64_t Size() const override { return kWaveHeaderBytes + dataBytes_; }
  void Cancel() override { cancelled_ = true; }

 private:
  bool IsAudio(std::int32_t lsn) const;
  // Makes the chunk holding sector `lsn` current.
  void Fill(std::int32_t lsn);

  static constexpr std::int32_t kChunkSectors = 32;
  std::vector<TocTrack> tracks_;
  SectorRange sessionGap_;
  std::int32_t sectors_ = 0;
  std::int64_t dataBytes_ = 0;
  std::unique_ptr<SectorSource> source_;
  std::array<std::uint8_t, kWaveHeaderBytes> header_{};
  std::int64_t offset_ = 0;
  std::int32_t chunkStart_ = -1;  // first sector held in chunk_, -1 for none
  std::int32_t chunkCount_ = 0;
  std::vector<std::uint8_t> chunk_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace varlo
