#pragma once
#include <array>
#include <cstdint>
#include <cstring>

namespace varlo {

inline constexpr std::int64_t kWaveHeaderBytes = 44;

// The header of a WAV file holding `dataBytes` bytes of 44.1 kHz 16-bit stereo PCM, the form
// in which our own streams (disc sectors, rendered MIDI) reach the media engine.
inline std::array<std::uint8_t, kWaveHeaderBytes> WaveHeader(std::uint32_t dataBytes) {
  std::array<std::uint8_t, kWaveHeaderBytes> h{};
  const auto put = [&h](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      h[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  std::memcpy(&h[0], "RIFF", 4);
  put(4, 36 + dataBytes, 4);
  std::memcpy(&h[8], "WAVEfmt ", 8);
  put(16, 16, 4);         // format chunk size
  put(20, 1, 2);          // PCM
  put(22, 2, 2);          // channels
  put(24, 44100, 4);      // samples per second
  put(28, 44100 * 4, 4);  // bytes per second
  put(32, 4, 2);          // bytes per sample frame
  put(34, 16, 2);         // bits per sample
  std::memcpy(&h[36], "data", 4);
  put(40, dataBytes, 4);
  return h;
}

}  // namespace varlo
