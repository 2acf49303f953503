#include "player/display_name.h"

#include "common/numtext.h"

namespace varlo {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether the name starts with a track number to cut: "03-" or "03 -" led by a number that is
// not zero. Two digits there (the usual case) are that number, since the "-" or blank after
// them ends it; other starts are read as a number.
bool TrackNumbered(const std::string& s) {
  const bool shaped =
      s.size() >= 3 && (s[2] == '-' || (s.size() >= 4 && s[2] == ' ' && s[3] == '-'));
  if (!shaped) return false;
  if (IsDigit(s[0]) && IsDigit(s[1])) return s[0] != '0' || s[1] != '0';
  return LeadingNumber(s) != 0.0;
}

}  // namespace

std::string DisplayName(std::string_view text, int friendlyNames) {
  std::string s(text);
  // A duration such as " (03:25)" added by some playlist writers.
  if (s.size() > 8 && s.back() == ')' && s[s.size() - 4] == ':') s.resize(s.size() - 8);

  const bool friendly = friendlyNames > 0;
  if (friendly) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      // The dot of a three- or four-letter extension keeps its place.
      if (s[i] == '_' || (s[i] == '.' && i + 6 <= s.size())) s[i] = ' ';
    }
  }

  const auto slash = s.rfind('/');
  if (slash != std::string::npos) s.erase(0, slash + 1);

  if (friendly && TrackNumbered(s)) {
    if (s.size() >= 3 && s[2] == '-') s.erase(0, 3);
    if (s.size() >= 4 && s[2] == ' ' && s[3] == '-') s.erase(0, 4);
  }
  // Trimmed in place, so the name is not copied once more.
  const std::string_view trimmed = TrimBlanks(s);
  const auto begin = static_cast<std::size_t>(trimmed.data() - s.data());
  s.resize(begin + trimmed.size());
  s.erase(0, begin);
  return s;
}

}  // namespace varlo
