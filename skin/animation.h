#pragma once
#include "skin/skin_form.h"

namespace varlo {

// One timer tick of animation n (1-4). Every a3 ticks the animation moves on: a stopped one
// returns to its resting frame (row 0, column 0); a running one steps column by column and row
// by row through its a1 x a2 grid of frames, skipping the resting frame. The frame to paint goes
// to form.animFrames[n] (kChangeAnimation when it differs from the one shown). Animations above
// 4 and hidden ones are left alone. Allocates nothing.
void AnimStep(SkinForm& form, int n);

// Forgets the frames shown; a skin load calls it so no animation shows a previous skin's frame.
void ClearAnimFrames(SkinForm& form);

}  // namespace varlo
