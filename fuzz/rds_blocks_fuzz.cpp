// RDS blocks from the air: any run of three-byte blocks must decode without fault into a
// station name of at most eight and a radio text of at most 64 printable characters.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "tuner/rds_decoder.h"

using varlo::fuzz::Check;

namespace {

bool Printable(const std::string& text) {
  for (char c : text)
    if (c < 0x20 || c >= 0x7F) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  halvern::RdsDecoder rds;
  for (std::size_t i = 0; i + 3 <= size; i += 3) {
    rds.Feed(data[i], data[i + 1], data[i + 2]);
    Check(rds.StationName().size() <= 8 && Printable(rds.StationName()));
    Check(rds.RadioText().size() <= 64 && Printable(rds.RadioText()));
  }
  return 0;
}
