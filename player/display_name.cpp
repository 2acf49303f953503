#include "player/display_name.h"

#include "common/numtext.h"

namespace varlo {

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

  if (friendly && LeadingNumber(s) != 0.0) {
    if (s.size() >= 3 && s[2] == '-') s.erase(0, 3);
    if (s.size() >= 4 && s[2] == ' ' && s[3] == '-') s.erase(0, 4);
  }
  return std::string(TrimBlanks(s));
}

}  // namespace varlo
