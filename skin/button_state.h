#pragma once
#include <cstdint>

#include "skin/skin_form.h"

namespace varlo {

// Pointer state of the skin buttons between events; the window that routes the mouse owns it.
struct ButtonHover {
  int lastIndex = 0;        // the button last under the pointer, 0 for none
  bool overButton = false;  // the pointer went onto a button and has not left the buttons yet
};

// Which mouse button is held while the pointer moves.
enum class HeldButton { None, Left, Right };

// The pointer moved over button i. Moving within the button already under the pointer does
// nothing. Otherwise the highlight follows the hover style (form.coolFlag: 0 none, 1 a border,
// 2 the pressed image); with the left button held the border moves regardless of the style,
// with the right button held the pressed image is shown. Returns true when i became the button
// under the pointer (the caller starts its pressed-image counter for a right-button move).
bool HoverButton(SkinForm& form, ButtonHover& hover, int i, HeldButton held = HeldButton::None);

// Shows the pressed image of button i: the pressed-image widget (form.tmpBtn) takes the button's
// place, size and tooltip and shows the button-sized part of the resource bitmap at the button's
// pressed-image point. Button i becomes the button under the pointer, so a release over the
// pressed image releases it.
void ButtonDown(SkinForm& form, ButtonHover& hover, int i);

// Button i released: hides the pressed image and the button's border and returns the command
// code the button carries, for the caller to hand to the dispatcher (0: no button, no command).
std::int16_t ReleaseButton(SkinForm& form, int i);

// Released over the pressed image, which covers the button: releases the button under the
// pointer.
std::int16_t ReleasePressedImage(SkinForm& form, const ButtonHover& hover);

// The pointer moved over the window background: the highlight of the last button goes (border
// and pressed image) and no button is under the pointer any more, so going back onto the same
// button highlights it again. Returns true when there was a highlight to clear.
bool LeaveButtons(SkinForm& form, ButtonHover& hover);

// Hides the pressed image (the pressed-image counter running out).
void HidePressedImage(SkinForm& form);

}  // namespace varlo
