#include "tuner/sim_stations.h"

#include <limits>
#include <optional>

namespace halvern {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Digits with at most one decimal point, read by hand so the locale cannot change the meaning.
std::optional<std::int32_t> ParseMegahertz(std::string_view s) {
  if (s.empty()) return std::nullopt;
  std::int64_t hz = 0;
  std::int64_t scale = 1'000'000;
  bool seen_point = false;
  bool seen_digit = false;
  for (const char c : s) {
    if (c == '.' && !seen_point) {
      seen_point = true;
    } else if (c >= '0' && c <= '9') {
      seen_digit = true;
      const std::int64_t digit = c - '0';
      if (!seen_point) {
        hz = hz * 10 + digit * 1'000'000;  // Earlier whole megahertz move up one place.
      } else {
        scale /= 10;  // Digits beyond 1 Hz resolution add nothing.
        hz += digit * scale;
      }
      if (hz > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (!seen_digit) return std::nullopt;
  return static_cast<std::int32_t>(hz);
}

}  // namespace

std::vector<SimStation> ParseSimStations(std::string_view text) {
  std::vector<SimStation> stations;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    std::string_view entry = Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);

    SimStation station;
    if (!entry.empty() && (entry.back() == 's' || entry.back() == 'S')) {
      station.stereo = true;
      entry = Trim(entry.substr(0, entry.size() - 1));
    }
    if (const auto hz = ParseMegahertz(entry)) {
      station.hz = *hz;
      stations.push_back(station);
    }
  }
  return stations;
}

}  // namespace halvern
