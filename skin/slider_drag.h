#pragma once
#include "skin/skin_form.h"

namespace varlo {

// A knob being dragged: which slider and where the pointer held it.
struct SliderDrag {
  int n = 0;  // 0 when no knob is held
  int offsetX = 0, offsetY = 0;
};

// Starts dragging the knob of slider n; (px, py) is the pointer in window pixels.
void SliderPress(const SkinForm& form, SliderDrag& drag, int n, int px, int py);

// Moves the held knob with the pointer, clamped to its track, and stores the value it now
// stands for with PlaceSlider. Returns that value (0 to 1).
double SliderMove(SkinForm& form, const SliderDrag& drag, int px, int py);

}  // namespace varlo
