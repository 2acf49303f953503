#pragma once
#include <QColor>

namespace skingen {

// `c` with its opacity set to `alpha` (0 clear to 255 solid).
inline QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

}  // namespace skingen
