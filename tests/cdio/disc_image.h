#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace varlo::testing {

// One track of a generated image: its length in sectors and whether it holds audio.
struct ImageTrack {
  std::int32_t sectors = 0;
  bool audio = true;
};

// Writes "<name>.cue" and "<name>.bin" into `dir` for the tracks, back to back from sector 0,
// and returns the path of the .cue. Audio sectors hold a tone whose pitch rises with the track
// number when `tone` is set; otherwise the .bin is sparse (zeros, no disc space).
std::string WriteCueBin(const TempDir& dir, const std::string& name,
                        const std::vector<ImageTrack>& tracks, bool tone = false);

// One track of a generated Nero image: where the table of contents puts it, its length in
// sectors and whether it holds audio (2352-byte sectors; data tracks have 2048).
struct NrgTrack {
  std::int32_t lba = 0;
  std::int32_t sectors = 0;
  bool audio = true;
};

// Writes "<name>.nrg" into `dir`, a track-at-once Nero image (sectors all zero) whose sessions
// hold `sessions[i]` tracks each, and returns its path. The tracks go into one track list, or
// into one list per session with `listPerSession`, as track-at-once writers make them.
std::string WriteNrg(const TempDir& dir, const std::string& name,
                     const std::vector<NrgTrack>& tracks, const std::vector<int>& sessions,
                     bool listPerSession = false);

// "MM:SS:FF" for a sector count, as .cue files write positions.
std::string CueTime(std::int32_t sectors);

}  // namespace varlo::testing
