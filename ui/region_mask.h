#pragma once
#include <QRegion>

#include "skin/window_region.h"

namespace varlo {

// The window mask for a skin shape; an empty QRegion for Kind::None (no mask).
QRegion RegionMask(const WindowRegion& region);

}  // namespace varlo
