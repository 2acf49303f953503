#include "skin/button_state.h"

namespace varlo {
namespace {

bool IsButton(const SkinForm& form, int i) {
  return i >= 1 && i < static_cast<int>(form.btn.size());
}

ButtonWidget& Button(SkinForm& form, int i) {
  return form.btn[static_cast<std::size_t>(i)];
}

// Turns the border of button i on or off; true when that changed it.
bool SetBorder(SkinForm& form, int i, bool on) {
  if (!IsButton(form, i) || Button(form, i).border == on) return false;
  Button(form, i).border = on;
  return true;
}

void ShowPressedImage(SkinForm& form, int i) {
  const ButtonWidget& b = Button(form, i);
  const ButtonSlot& slot = form.tables.buttons[static_cast<std::size_t>(i)];
  PictureWidget& tmp = form.tmpBtn;
  tmp.visible = false;
  tmp.Place(b.left, b.top, b.width, b.height);
  tmp.sourceX = slot.pressX;
  tmp.sourceY = slot.pressY;
  tmp.tooltip = b.tooltip;
  tmp.visible = true;
  form.Notify(kChangeWidgets);
}

}  // namespace

bool HoverButton(SkinForm& form, ButtonHover& hover, int i, HeldButton held) {
  if (!IsButton(form, i) || i == hover.lastIndex) return false;
  int style = form.coolFlag;
  if (held == HeldButton::Left) style = 1;
  if (held == HeldButton::Right) style = 2;

  if (style == 1) {
    bool changed = SetBorder(form, hover.lastIndex, false);
    changed = SetBorder(form, i, true) || changed;
    if (changed) form.Notify(kChangeWidgets);
  } else if (style == 2) {
    ShowPressedImage(form, i);
  }
  hover.lastIndex = i;
  hover.overButton = true;
  return true;
}

void ButtonDown(SkinForm& form, ButtonHover& hover, int i) {
  if (!IsButton(form, i)) return;
  ShowPressedImage(form, i);
  hover.lastIndex = i;
}

std::int16_t ReleaseButton(SkinForm& form, int i) {
  bool changed = form.tmpBtn.visible;
  form.tmpBtn.visible = false;
  if (!IsButton(form, i)) {
    if (changed) form.Notify(kChangeWidgets);
    return 0;
  }
  changed = SetBorder(form, i, false) || changed;
  if (changed) form.Notify(kChangeWidgets);
  return Button(form, i).code;
}

std::int16_t ReleasePressedImage(SkinForm& form, const ButtonHover& hover) {
  return ReleaseButton(form, hover.lastIndex);
}

bool LeaveButtons(SkinForm& form, ButtonHover& hover) {
  bool changed = SetBorder(form, hover.lastIndex, false);
  changed = form.tmpBtn.visible || changed;
  form.tmpBtn.visible = false;
  hover.overButton = false;
  hover.lastIndex = 0;
  if (changed) form.Notify(kChangeWidgets);
  return changed;
}

void HidePressedImage(SkinForm& form) {
  if (!form.tmpBtn.visible) return;
  form.tmpBtn.visible = false;
  form.Notify(kChangeWidgets);
}

}  // namespace varlo
