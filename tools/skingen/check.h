// Consistency checks of the skin against its own bitmaps: run on every generation, so
// a geometry change that breaks the skin fails the build instead of the look.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "tools/skingen/art.h"
#include "tools/skingen/layout.h"

namespace skingen {

// Every problem found, one line each; empty when the skin is sound.
std::vector<std::string> Problems(const Skin& skin, const Bitmaps& bitmaps);

}  // namespace skingen
