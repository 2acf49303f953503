#pragma once
#include <string>
#include <string_view>

#include "skin/widgets.h"

namespace varlo {

// The hot key of a button field: "\ddd" gives the character with that decimal code, any
// other four-character field gives none, any other non-empty field its first character.
std::string CvtKey(std::string_view field);

// The tooltip of a tip field: none when it starts with "~".
std::string TipText(std::string_view field);

// A font field "Name[:styles]" with style letters B, I, U in any case. `allowBold` is
// false for list and edit areas, which are never bold. The size is the magnitude of `size`.
FontSpec ParseFontField(std::string_view field, int size, bool allowBold);

}  // namespace varlo
