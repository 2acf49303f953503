// Writes a skin description as the text of a .skin file.
#pragma once

#include <string>

#include "tools/skingen/layout.h"

namespace skingen {

std::string SkinText(const Skin& skin);

}  // namespace skingen
