#pragma once
#include "skin/skin_form.h"

namespace varlo {

// Stores `value` (0 to 1) as the value of slider n and, when its knob is visible, moves the
// knob (sliders 1, 2, 3, 5, 6) or sizes the level bar (slider 4). A track of height 0 is
// horizontal. Nothing is touched when the knob coordinate would not change.
void PlaceSlider(SkinForm& form, int n, double value);

}  // namespace varlo
