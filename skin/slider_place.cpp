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
  // Whole pixels, rounded down; the nudge keeps 0.57 x 100 at 57 despite binary fractions.
  const auto whole = [value](int length) {
    return static_cast<int>(std::floor(length * value + 1e-9));
  };
  int coord = 0;
  if (n == 4) {  // level bar: its length follows the value
    coord = horizontal ? whole(rec.w) : rec.h - whole(rec.h);
  } else {
    coord = horizontal ? rec.x + whole(rec.w) : rec.y + rec.h - whole(rec.h);
  }
  if (rec.placed && coord == rec.lastCoord) return;
  rec.lastCoord = coord;
  rec.placed = true;
  if (n == 4) {
    if (horizontal)
      knob.width = coord;
    else
      knob.height = coord;
  } else {
    if (horizontal)
      knob.left = coord;
    else
      knob.top = coord;
  }
  form.Notify(kChangeKnobs);
}

}  // namespace varlo
