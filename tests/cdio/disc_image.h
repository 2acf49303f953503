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

// "MM:SS:FF" for a sector count, as .cue files write positions.
std::string CueTime(std::int32_t sectors);

}  // namespace varlo::testing
