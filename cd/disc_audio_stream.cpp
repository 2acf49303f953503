#include "cd/disc_audio_stream.h"

#include <algorithm>
#include <cstring>

namespace varlo {
namespace {

// Discs are at most 99 minutes long; anything longer is a table that cannot be trusted.
constexpr std::int32_t kMaxSectors = 100 * 60 * kFramesPerSecond;

}  // namespace

DiscAudioStream::DiscAudioStream(const DiscToc& toc, std::unique_ptr<SectorSource> source)
    : tracks_(toc.tracks),
      sessionGap_(SessionGap(toc)),
      sectors_(std::clamp(toc.leadOutLba, 0, kMaxSectors)),
      dataBytes_(static_cast<std::int64_t>(sectors_) * kBytesPerSector),
      source_(std::move(source)),
      header_(WaveHeader(static_cast<std::uint32_t>(dataBytes_))),
      chunk_(static_cast<std::size_t>(kChunkSectors) * kBytesPerSector) {}

bool DiscAudioStream::IsAudio(std::int32_t lsn) const {
  // The track holding a sector is the last one starting at or before it; sectors before the
  // first track (a hidden pre-gap track) count as audio.
  if (sessionGap_.Holds(lsn)) return false;
  bool audio = true;
  for (const TocTrack& track : tracks_) {
    if (track.lba > lsn) break;
    audio = track.audio;
  }
  return audio;
}

void DiscAudioStream::Fill(std::int32_t lsn) {
  const std::int32_t start = lsn - lsn % kChunkSectors;
  if (start == chunkStart_) return;
  chunkStart_ = start;
  chunkCount_ = std::min(kChunkSectors, sectors_ - start);
  // Reads runs of audio sectors; a data track inside the chunk stays silent.
  std::fill(chunk_.begin(), chunk_.end(), std::uint8_t{0});
  std::int32_t at = 0;
  while (at < chunkCount_) {
    if (!IsAudio(start + at)) {
      ++at;
      continue;
    }
    std::int32_t run = 1;
    while (at + run < chunkCount_ && IsAudio(start + at + run)) ++run;
    std::uint8_t* out = &chunk_[static_cast<std::size_t>(at) * kBytesPerSector];
    if (!source_->ReadAudio(start + at, run, out)) {
      // A bad stretch of a scratched disc: try sector by sector, keeping silence where even
      // that fails.
      for (std::int32_t i = 0; i < run; ++i) {
        std::uint8_t* sector = out + static_cast<std::size_t>(i) * kBytesPerSector;
        if (!source_->ReadAudio(start + at + i, 1, sector)) std::memset(sector, 0, kBytesPerSector);
      }
    }
    at += run;
  }
}

std::int64_t DiscAudioStream::Read(char* buffer, std::uint64_t size) {
  if (cancelled_) return -1;
  std::int64_t copied = 0;
  const std::int64_t want = static_cast<std::int64_t>(std::min<std::uint64_t>(size, 1 << 20));
  while (copied < want && offset_ < Size()) {
    std::int64_t n = 0;
    if (offset_ < kWaveHeaderBytes) {
      n = std::min(want - copied, kWaveHeaderBytes - offset_);
      std::memcpy(buffer + copied, &header_[static_cast<std::size_t>(offset_)],
                  static_cast<std::size_t>(n));
    } else {
      const std::int64_t data = offset_ - kWaveHeaderBytes;
      const auto lsn = static_cast<std::int32_t>(data / kBytesPerSector);
      Fill(lsn);
      const std::int64_t inChunk = data - static_cast<std::int64_t>(chunkStart_) * kBytesPerSector;
      const std::int64_t chunkBytes = static_cast<std::int64_t>(chunkCount_) * kBytesPerSector;
      n = std::min(want - copied, chunkBytes - inChunk);
      std::memcpy(buffer + copied, &chunk_[static_cast<std::size_t>(inChunk)],
                  static_cast<std::size_t>(n));
    }
    const bool wasData = offset_ >= kWaveHeaderBytes;
    copied += n;
    offset_ += n;
    // At most one chunk of sectors per call keeps each call short on a slow drive.
    if (wasData) break;
  }
  return copied;
}

std::int64_t DiscAudioStream::Seek(std::int64_t offset) {
  if (cancelled_ || offset < 0 || offset > Size()) return -1;
  offset_ = offset;
  return offset_;
}

}  // namespace varlo
