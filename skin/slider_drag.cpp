#include "skin/slider_drag.h"

#include <algorithm>

#include "skin/slider_place.h"

namespace varlo {

void SliderPress(const SkinForm& form, SliderDrag& drag, int n, int px, int py) {
  if (n < 1 || n > 9) return;
  const PictureWidget& knob = form.slider[static_cast<std::size_t>(n)];
  drag.n = n;
  drag.offsetX = px - knob.left;
  drag.offsetY = py - knob.top;
}

double SliderMove(SkinForm& form, const SliderDrag& drag, int px, int py) {
  if (drag.n < 1 || drag.n > 9) return 0;
  const SliderRecord& rec = form.tables.sliders[static_cast<std::size_t>(drag.n)];
  double value = 0;
  if (rec.h == 0) {
    const int left = std::clamp(px - drag.offsetX, rec.x, rec.x + std::max(0, rec.w));
    value = rec.w > 0 ? static_cast<double>(left - rec.x) / rec.w : 0;
  } else {
    const int top = std::clamp(py - drag.offsetY, std::min(rec.y, rec.y + rec.h),
                               std::max(rec.y, rec.y + rec.h));
    value = static_cast<double>(rec.y + rec.h - top) / rec.h;
  }
  value = std::clamp(value, 0.0, 1.0);
  PlaceSlider(form, drag.n, value);
  return value;
}

}  // namespace varlo
