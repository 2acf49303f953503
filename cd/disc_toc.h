#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// A disc's table of contents as the drive reports it, and what the CD player derives from it:
// the track table, the two disc identifiers and the track list lines.

inline constexpr int kMaxDiscTracks = 99;
inline constexpr std::int32_t kFramesPerSecond = 75;
// The two seconds of lead-in before the first sector; drive positions (minutes, seconds,
// frames) count them, sector addresses do not.
inline constexpr std::int32_t kLeadInFrames = 150;

// On a disc of several sessions (an enhanced CD: the audio, then a data session) the first
// track of a later session starts this many sectors after the session before it ends: that
// session's lead-out (6750), the next one's lead-in (4500) and its pre-gap (150). None of
// them is audio of the track before.
inline constexpr std::int32_t kSessionGapSectors = 11400;

// One track of the table of contents: its first sector (0 is the first sector after the
// lead-in) and whether it holds audio.
struct TocTrack {
  std::int32_t lba = 0;
  bool audio = true;
};

// What a disc says about itself in its CD-Text, when it has any: empty texts otherwise.
struct DiscText {
  std::string artist;
  std::string album;
  std::vector<std::string> titles;  // titles[0] is track 1's; may be shorter than the table

  bool HasTitles() const;
};

// The table of contents: the tracks in order and the first sector after the last one, with
// the disc's CD-Text.
struct DiscToc {
  std::vector<TocTrack> tracks;
  std::int32_t leadOutLba = 0;
  // The first sector of the disc's last session when it has more than one (the start of one
  // of its tracks); 0 for a disc of one session, or when the drive does not say.
  std::int32_t lastSessionLba = 0;
  DiscText text;
};

// The sectors before the last session that hold no audio (the session gap): [first, last);
// an empty range for a disc of one session.
struct SectorRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
  bool Holds(std::int32_t lsn) const { return lsn >= first && lsn < last; }
};
SectorRange SessionGap(const DiscToc& toc);

// One record of the track table. Times are milliseconds in the disc's play time base, whose
// 0 is sector 0 (the first track of a normal disc starts at 0 ms).
struct TrackRecord {
  int minutes = 0, seconds = 0, frames = 0;  // the start as the drive reports it, lead-in included
  std::int32_t frameCount = 0;               // minutes * 4500 + seconds * 75 + frames
  std::int32_t startMs = 0;
  std::int32_t endMs = 0;  // start + length - 1
  std::int32_t lengthMs = 0;
  bool audio = true;
};

// The track table of a disc: record n (1-based) for each of its at most 99 tracks.
struct TrackTable {
  std::vector<TrackRecord> records;  // records[0] is track 1
  std::int32_t discMs = 0;           // play time from sector 0 to the lead-out
  std::int32_t totLenSeconds = 0;    // the lead-out's position in whole seconds, lead-in included

  int Count() const { return static_cast<int>(records.size()); }
  // Record of track n; null outside 1..Count().
  const TrackRecord* Track(int n) const;
};

// The table of `toc`: tracks past the 99th are left out, as is a track that starts before
// the previous one or after the lead-out (its table would give negative lengths). The track
// before a later session ends where the session gap begins.
TrackTable MakeTrackTable(const DiscToc& toc);

// Milliseconds of play for a count of sectors (75 per second).
std::int32_t FramesToMs(std::int64_t frames);

// The online (CDDB) identifier: eight lower-case hex digits.
std::string CddbDiscId(const TrackTable& table);
// The local database identifier: the sum of minutes * 65536 + seconds * 256 + frames over the
// tracks, in upper-case hex without leading zeros.
std::string CdpDiscId(const TrackTable& table);

// The frame offsets the CDDB query sends (lead-in included), one per track.
std::vector<std::int32_t> CddbOffsets(const TrackTable& table);

// A title made fit for one list line: control characters are dropped.
std::string PlainTitle(std::string_view title);
// The default title of track n: "Track  1".
std::string DefaultTrackTitle(int track);
// One line of the track list: "01 - Track  1  (03:25)".
std::string MakeCDEntry(int track, std::int32_t lengthMs, std::string_view title);

// The track that holds disc position `positionMs`: the first whose end is at or after it.
// A position past the last track gives the last track; 0 for an empty table.
int FindTrack(const TrackTable& table, std::int32_t positionMs);

}  // namespace varlo
