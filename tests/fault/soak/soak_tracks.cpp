#include "tests/fault/soak/soak_tracks.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>

namespace varlo::testing {
namespace {

constexpr int kRate = 22050;

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string ToneWav(int ms, double hertz) {
  const auto frames = static_cast<std::uint32_t>(static_cast<std::int64_t>(kRate) * ms / 1000);
  const std::uint32_t dataBytes = frames * 2;
  std::string out;
  out += "RIFF";
  Put(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, 1, 2);  // mono
  Put(out, kRate, 4);
  Put(out, kRate * 2, 4);
  Put(out, 2, 2);
  Put(out, 16, 2);
  out += "data";
  Put(out, dataBytes, 4);
  for (std::uint32_t frame = 0; frame < frames; ++frame) {
    const double phase = 2.0 * std::numbers::pi * hertz * frame / kRate;
    Put(out, static_cast<std::uint16_t>(std::lround(8000.0 * std::sin(phase))), 2);
  }
  return out;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace

std::string WriteSoakTracks(const std::string& folder, int count, int ms) {
  std::string playlist = "#EXTM3U\n";
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "track %04d.wav", i);
    const std::string path = folder + "/" + name;
    if (!WriteFile(path, ToneWav(ms, 220.0 + 3.0 * (i % 200)))) return {};
    playlist += path + "\n";
  }
  const std::string path = folder + "/soak.m3u";
  return WriteFile(path, playlist) ? path : std::string();
}

}  // namespace varlo::testing
