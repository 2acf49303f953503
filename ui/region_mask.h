#pragma once
#include <QRegion>

#include "skin/window_region.h"

namespace varlo {

// The window mask for a skin shape; an empty QRegion, which Qt takes for no mask, for
// Kind::None. The skin loader refuses shapes without any rectangle, so that a window never
// turns rectangular because its shape was empty.
QRegion RegionMask(const WindowRegion& region);

}  // namespace varlo
