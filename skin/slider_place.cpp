#include "skin/slider_place.h"

#include <cmath>

namespace varlo {

void PlaceSlider(SkinForm& form, int n, double value) {
  if (n < 1 || n > 9) return;
  SliderRecord& rec = form.tables.sliders[static_cast<std::size_t>(n)];
  PictureWidget& knob = form.slider[static_cast<std::size_t>(n)];
  rec.value = value;
  if (!knob.visible) return;

  const bool horizontal = rec.h == 0;
  int coord = 0;
  if (n == 4) {  // level bar: its length follows the value
    coord = horizontal ? static_cast<int>(std::floor(rec.w * value))
                       : rec.h - static_cast<int>(std::floor(rec.h * value));
  } else {
    coord = horizontal ? rec.x + static_cast<int>(std::floor(rec.w * value))
                       : rec.y + rec.h - static_cast<int>(std::floor(rec.h * value));
  }
  if (rec.placed && coord == rec.lastCoord) return;
  rec.lastCoord = coord;
  rec.placed = true;
  if (n == 4) {
    if (horizontal) knob.width = coord;
    else knob.height = coord;
  } else {
    if (horizontal) knob.left = coord;
    else knob.top = coord;
  }
  form.Notify(kChangeWidgets);
}

}  // namespace varlo
