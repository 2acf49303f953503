#include "tests/cdio/disc_image.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace varlo::testing {

std::string CueTime(std::int32_t sectors) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", sectors / 4500, sectors / 75 % 60,
                sectors % 75);
  return text;
}

namespace {

void PutBigEndian(std::string& out, std::uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Chunk(const char* name, const std::string& body) {
  std::string chunk(name, 4);
  PutBigEndian(chunk, body.size(), 4);
  return chunk + body;
}

}  // namespace

std::string WriteNrg(const TempDir& dir, const std::string& name,
                     const std::vector<NrgTrack>& tracks, const std::vector<int>& sessions,
                     bool listPerSession) {
  // Each entry: offset and length in the file (64-bit), mode (7 audio, 0 data), the start as
  // the reader takes it (it counts a 150-sector pre-gap before every track but the first),
  // and a spare word.
  std::vector<std::string> entries;
  std::uint64_t offset = 0;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const std::uint64_t size = tracks[i].audio ? 2352 : 2048;
    std::string entry;
    PutBigEndian(entry, offset, 8);
    PutBigEndian(entry, size * static_cast<std::uint64_t>(tracks[i].sectors), 8);
    PutBigEndian(entry, tracks[i].audio ? 7 : 0, 4);
    PutBigEndian(entry, static_cast<std::uint64_t>(tracks[i].lba - 150 * static_cast<int>(i)), 4);
    PutBigEndian(entry, 0, 8);
    entries.push_back(entry);
    offset += size * static_cast<std::uint64_t>(tracks[i].sectors);
  }
  std::string chunks, list;
  std::size_t next = 0;
  for (int count : sessions) {
    for (int t = 0; t < count && next < entries.size(); ++t) list += entries[next++];
    if (listPerSession) chunks += Chunk("ETN2", std::exchange(list, {}));
  }
  if (!listPerSession) chunks += Chunk("ETN2", list);
  for (int count : sessions) {
    std::string tracksInSession;
    PutBigEndian(tracksInSession, static_cast<std::uint64_t>(count), 4);
    chunks += Chunk("SINF", tracksInSession);
  }
  chunks += Chunk("END!", "");
  chunks += "NER5";
  PutBigEndian(chunks, offset, 8);

  const std::string path = dir.File(name + ".nrg");
  std::ofstream nrg(path, std::ios::binary | std::ios::trunc);
  if (!nrg) throw std::runtime_error("cannot write " + path);
  nrg.seekp(static_cast<std::streamoff>(offset));
  nrg.write(chunks.data(), static_cast<std::streamsize>(chunks.size()));
  return path;
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
