#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace halvern {

struct SimStation {
  std::int32_t hz = 0;
  bool stereo = false;
};

// Parses a station list such as "87.5s,101.1,104.3s": frequencies in MHz, a trailing "s" (or
// "S") for a stereo station. Entries that are not a plain decimal number are skipped.
std::vector<SimStation> ParseSimStations(std::string_view text);

}  // namespace halvern
