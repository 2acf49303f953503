#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tuner/port_io.h"

namespace halvern::testing {

// Records every byte written and every port read; reads answer with `next_read`.
class RecordingPort : public PortIo {
 public:
  void Out(std::uint16_t port, std::uint8_t value) override {
    ports.push_back(port);
    values.push_back(value);
  }
  std::uint8_t In(std::uint16_t port) override {
    reads.push_back(port);
    return next_read;
  }
  void Clear() {
    ports.clear();
    values.clear();
    reads.clear();
  }

  std::vector<std::uint16_t> ports;
  std::vector<std::uint8_t> values;
  std::vector<std::uint16_t> reads;
  std::uint8_t next_read = 0xFF;
};

// The port bytes for a string of '0'/'1' bits in sending order, one group per bit.
inline std::vector<std::uint8_t> Encode(std::string_view bits, std::vector<std::uint8_t> zero,
                                        std::vector<std::uint8_t> one) {
  std::vector<std::uint8_t> bytes;
  for (const char c : bits) {
    const auto& group = c == '1' ? one : zero;
    bytes.insert(bytes.end(), group.begin(), group.end());
  }
  return bytes;
}

inline std::vector<std::uint8_t> AztechBytes(std::string_view bits) {
  return Encode(bits, {0x02, 0x02, 0x42, 0x42}, {0x82, 0x82, 0xC2, 0xC2});
}

inline std::vector<std::uint8_t> RadioTrackBytes(std::string_view bits) {
  return Encode(bits, {0x01, 0x01, 0x03, 0x03}, {0x05, 0x05, 0x07, 0x07});
}

inline std::vector<std::uint8_t> RadioTrack2Bytes(std::string_view bits) {
  return Encode(bits, {0x01, 0x03, 0x01}, {0x05, 0x07, 0x05});
}

inline std::vector<std::uint8_t> Concat(std::vector<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace halvern::testing
