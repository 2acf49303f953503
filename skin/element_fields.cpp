#include "skin/element_fields.h"

#include <cstdlib>

#include "common/numtext.h"

namespace varlo {

std::string CvtKey(std::string_view field) {
  if (field.size() == 4) {
    if (field[0] != '\\') return {};
    int code = 0;
    for (char c : field.substr(1)) {
      if (c < '0' || c > '9') return {};
      code = code * 10 + (c - '0');
    }
    if (code < 1 || code > 255) return {};
    return std::string(1, static_cast<char>(code));
  }
  if (field.empty()) return {};
  return std::string(1, field[0]);
}

std::string TipText(std::string_view field) {
  if (!field.empty() && field.front() == '~') return {};
  return std::string(field);
}

FontSpec ParseFontField(std::string_view field, int size, bool allowBold) {
  FontSpec font;
  std::string_view name = field;
  std::string_view styles;
  if (const auto colon = field.find(':'); colon != std::string_view::npos) {
    name = field.substr(0, colon);
    styles = field.substr(colon + 1);
  }
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  font.name = name.empty() ? "Arial" : std::string(name);
  const std::string upper = UpperCase(styles);
  font.bold = allowBold && upper.find('B') != std::string::npos;
  font.italic = upper.find('I') != std::string::npos;
  font.underline = upper.find('U') != std::string::npos;
  font.size = std::abs(size);
  return font;
}

}  // namespace varlo
