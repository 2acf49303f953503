#include "tests/cdio/disc_image.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace varlo::testing {

std::string CueTime(std::int32_t sectors) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", sectors / 4500, sectors / 75 % 60,
                sectors % 75);
  return text;
}

std::string WriteCueBin(const TempDir& dir, const std::string& name,
                        const std::vector<ImageTrack>& tracks, bool tone) {
  std::string cue = "FILE \"" + name + ".bin\" BINARY\n";
  std::int32_t at = 0;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "  TRACK %02zu %s\n", i + 1,
                  tracks[i].audio ? "AUDIO" : "MODE1/2352");
    cue += line;
    cue += "    INDEX 01 " + CueTime(at) + "\n";
    at += tracks[i].sectors;
  }
  const std::string cuePath = dir.Write(name + ".cue", cue);

  const std::string binPath = dir.File(name + ".bin");
  std::ofstream bin(binPath, std::ios::binary | std::ios::trunc);
  if (!bin) throw std::runtime_error("cannot write " + binPath);
  if (!tone) {
    if (at > 0) {
      bin.seekp(static_cast<std::streamoff>(at) * 2352 - 1);
      bin.put('\0');
    }
    return cuePath;
  }
  std::int64_t frame = 0;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const double pitch = 220.0 * static_cast<double>(i + 1);
    for (std::int32_t s = 0; s < tracks[i].sectors; ++s) {
      char sector[2352] = {};
      for (int f = 0; f < 588; ++f, ++frame) {
        const double phase = 2.0 * std::numbers::pi * pitch * static_cast<double>(frame) / 44100;
        const auto sample = static_cast<std::int16_t>(
            tracks[i].audio ? std::lround(10000.0 * std::sin(phase)) : 0x55);
        for (int c = 0; c < 2; ++c) {
          sector[f * 4 + c * 2] = static_cast<char>(sample & 0xFF);
          sector[f * 4 + c * 2 + 1] = static_cast<char>((sample >> 8) & 0xFF);
        }
      }
      bin.write(sector, sizeof sector);
    }
  }
  return cuePath;
}

}  // namespace varlo::testing
