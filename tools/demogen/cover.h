// The demo album's cover: a dawn over graphite hills in the default skin's colours.
#pragma once

#include <QImage>

namespace demogen {

// A square picture `size` pixels wide, without an alpha channel.
QImage DemoCover(int size = 300);

}  // namespace demogen
