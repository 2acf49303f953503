#include "cd/disc_toc.h"

#include <cstdio>

#include "common/numtext.h"

namespace varlo {
namespace {

int DigitSum(std::int32_t value) {
  int sum = 0;
  for (; value > 0; value /= 10) sum += value % 10;
  return sum;
}

std::string Hex(std::uint32_t value, bool upper) {
  char text[16];
  std::snprintf(text, sizeof text, upper ? "%X" : "%x", value);
  return text;
}

}  // namespace

bool DiscText::HasTitles() const {
  for (const std::string& title : titles)
    if (!title.empty()) return true;
  return false;
}

const TrackRecord* TrackTable::Track(int n) const {
  if (n < 1 || n > Count()) return nullptr;
  return &records[static_cast<std::size_t>(n - 1)];
}

std::int32_t FramesToMs(std::int64_t frames) {
  return static_cast<std::int32_t>(frames * 1000 / kFramesPerSecond);
}

SectorRange SessionGap(const DiscToc& toc) {
  const std::int32_t start = toc.lastSessionLba;
  // Only a session that starts at a track after the first one, far enough in for a gap.
  bool atTrack = false;
  for (std::size_t i = 1; i < toc.tracks.size(); ++i) {
    if (toc.tracks[i].lba == start && toc.tracks[i - 1].lba < start - kSessionGapSectors)
      atTrack = true;
  }
  if (!atTrack) return {};
  return {start - kSessionGapSectors, start};
}

TrackTable MakeTrackTable(const DiscToc& toc) {
  TrackTable table;
  // A table that names no track or whose lead-out is impossible describes no playable disc.
  if (toc.leadOutLba <= 0 || toc.leadOutLba > 100 * 60 * kFramesPerSecond) return table;
  std::int32_t previous = -1;
  for (const TocTrack& track : toc.tracks) {
    if (table.Count() == kMaxDiscTracks) break;
    if (track.lba < 0 || track.lba <= previous || track.lba >= toc.leadOutLba) break;
    previous = track.lba;
    TrackRecord record;
    const std::int32_t frames = track.lba + kLeadInFrames;
    record.minutes = frames / (60 * kFramesPerSecond);
    record.seconds = frames / kFramesPerSecond % 60;
    record.frames = frames % kFramesPerSecond;
    record.frameCount = frames;
    record.startMs = FramesToMs(track.lba);
    record.audio = track.audio;
    table.records.push_back(record);
  }
  const SectorRange gap = SessionGap(toc);
  for (std::size_t i = 0; i < table.records.size(); ++i) {
    TrackRecord& record = table.records[i];
    std::int32_t nextLba = i + 1 < table.records.size()
                               ? table.records[i + 1].frameCount - kLeadInFrames
                               : toc.leadOutLba;
    if (nextLba == gap.last && gap.last > gap.first) nextLba = gap.first;
    record.lengthMs = FramesToMs(nextLba) - record.startMs;
    record.endMs = record.startMs + record.lengthMs - 1;
  }
  table.discMs = FramesToMs(toc.leadOutLba);
  table.totLenSeconds = (toc.leadOutLba + kLeadInFrames) / kFramesPerSecond;
  return table;
}

std::string CddbDiscId(const TrackTable& table) {
  if (table.records.empty()) return "0";
  std::uint32_t digits = 0;
  for (const TrackRecord& record : table.records)
    digits += static_cast<std::uint32_t>(DigitSum(record.frameCount / kFramesPerSecond));
  const std::int32_t firstSeconds = table.records.front().frameCount / kFramesPerSecond;
  const auto playSeconds = static_cast<std::uint32_t>(table.totLenSeconds - firstSeconds);
  const std::uint32_t id = (digits % 255) << 24 | (playSeconds & 0xFFFF) << 8 |
                           static_cast<std::uint32_t>(table.Count());
  std::string text = Hex(id, false);
  return std::string(8 - text.size(), '0') + text;
}

std::string CdpDiscId(const TrackTable& table) {
  std::uint32_t sum = 0;
  for (const TrackRecord& record : table.records)
    sum +=
        static_cast<std::uint32_t>(record.minutes * 65536 + record.seconds * 256 + record.frames);
  return Hex(sum, true);
}

std::vector<std::int32_t> CddbOffsets(const TrackTable& table) {
  std::vector<std::int32_t> offsets;
  for (const TrackRecord& record : table.records) offsets.push_back(record.frameCount);
  return offsets;
}

std::string PlainTitle(std::string_view title) {
  std::string out;
  out.reserve(title.size());
  for (char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) continue;
    out += c;
  }
  return out;
}

std::string DefaultTrackTitle(int track) {
  return "Track " + NumToText(track);
}

std::string MakeCDEntry(int track, std::int32_t lengthMs, std::string_view title) {
  return FormatFixed(track, 2, 0) + " - " + PlainTitle(title) + "  (" +
         TimeText(lengthMs < 0 ? 0 : lengthMs / 1000) + ")";
}

int FindTrack(const TrackTable& table, std::int32_t positionMs) {
  for (int n = 1; n <= table.Count(); ++n)
    if (table.Track(n)->endMs >= positionMs) return n;
  return table.Count();
}

}  // namespace varlo
