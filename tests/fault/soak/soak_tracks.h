#pragma once
#include <string>

namespace varlo::testing {

// Writes `count` short WAV files of `ms` milliseconds each (22.05 kHz mono, each a tone of
// its own) into `folder`, and the playlist "soak.m3u" that lists them in order; returns the
// playlist's path, or empty when a file could not be written.
std::string WriteSoakTracks(const std::string& folder, int count, int ms);

}  // namespace varlo::testing
