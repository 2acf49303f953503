// Keys and mouse on the main window's background, dragging and activation.
#include <cctype>
#include <cmath>

#include "common/numtext.h"
#include "shell/frm_tarnix.h"
#include "shell/window_snap.h"
#include "skin/slider_place.h"

namespace varlo {

void FrmTarnix::ButtonsAppearance(int key) {
  for (std::size_t i = 1; i <= kMaxButtons; ++i) {
    ButtonWidget& b = form_.btn[i];
    if (key == 27) b.opaque = b.border = false;  // back to invisible hot areas
    if (key == '`') b.opaque = true;             // show where the hot areas are
    if (key == '~') b.border = true;
  }
  if (key != '~')
    for (std::size_t i = 1; i <= 40; ++i) form_.lbl[i].opaque = key == '`';
  form_.Notify(kChangeWidgets);
}

bool FrmTarnix::Form_KeyPress(int key) {
  if (key == 27 || key == '`' || key == '~') {
    ButtonsAppearance(key);
    return true;
  }
  if (inFlag_) return false;  // the focused entry takes the key
  if (key <= 0 || key > 255) return true;
  const char upper = static_cast<char>(std::toupper(key));
  for (std::size_t i = 1; i <= kMaxButtons; ++i) {
    const std::string& hot = form_.tables.buttons[i].key;
    if (hot.size() == 1 && hot[0] == upper) {
      DoIt(form_.btn[i].code);
      break;
    }
  }
  return true;
}

void FrmTarnix::Form_MouseDown(int button, int x, int y) {
  inFlag_ = false;
  if (button == 1 && !dragFlag_) {
    dragX_ = x * twipX_;
    dragY_ = y * twipY_;
    dragFlag_ = true;
  } else if (button == 2 && settings_.noRMB != 1) {
    ShowMenu(x, y);
  }
}

void FrmTarnix::Btn_MouseDown(int i) {
  ButtonDown(form_, hover_, i);
}

void FrmTarnix::Btn_MouseMove(int i, HeldButton held) {
  if (HoverButton(form_, hover_, i, held) && held == HeldButton::Right) StartPressedImageCounter();
}

void FrmTarnix::Btn_MouseUp(int i) {
  DoIt(ReleaseButton(form_, i));
}

void FrmTarnix::TmpBtn_MouseUp() {
  DoIt(ReleasePressedImage(form_, hover_));
}

void FrmTarnix::iSlider_MouseDown(int n, int x, int y) {
  SliderPress(form_, sliderDrag_, n, x, y);
}

void FrmTarnix::iSlider_MouseMove(int x, int y) {
  if (sliderDrag_.n == 0) return;
  SliderValueChanged(sliderDrag_.n, SliderMove(form_, sliderDrag_, x, y));
}

void FrmTarnix::iSlider_MouseUp() {
  const int n = sliderDrag_.n;
  sliderDrag_ = SliderDrag{};
  if (n == 1) PlayFromFraction(form_.tables.sliders[1].value);
}

void FrmTarnix::SliderValueChanged(int n, double value) {
  switch (n) {
    case 1: {  // the time the song would continue from
      const auto target = static_cast<long long>(value * player_.songLenMs / 1000.0);
      const auto len = static_cast<long long>(player_.songLenMs / 1000);
      form_.lbl[1].caption =
          player_.timeRemaining ? "-" + TimeText(len - target) : TimeText(target);
      form_.Notify(kChangeWidgets);
      break;
    }
    case 2:
      ApplyVolume(value);
      form_.lbl[18].caption = IntToText(static_cast<long long>(std::floor(value * 100 + 1e-9))) +
                              "%";  // 0.57 is 57%, not 56
      PlaceSlider(form_, 4, value);
      form_.Notify(kChangeWidgets);
      break;
    case 3:
      SetBalance(value);
      break;
    case 6:
      fmFreq_ = static_cast<std::int32_t>(std::floor((87 + 21 * value) * 10));
      FMSetFreq();
      FMFindStation();
      break;
    default:
      break;
  }
}

void FrmTarnix::Lbl_MouseDown(int, int button, int x, int y) {
  if (button == 2 && settings_.noRMB != 1) ShowMenu(x, y);
}

void FrmTarnix::Dig_MouseDown(int, int button, int x, int y) {
  if (button == 2 && settings_.noRMB != 1) ShowMenu(x, y);
}

void FrmTarnix::Lbl_Click(int n) {
  if (n == 1) {
    player_.timeRemaining = !player_.timeRemaining;
  } else if (n == 2) {
    if (!player_.songPath.empty()) ShowTrackInfo();
  } else if (n == 28 || n == 30 || (n >= 31 && n <= 40)) {
    EditTimerTable(n);
  }
}

void FrmTarnix::Form_MouseMove(int, int x, int y) {
  if (!dragFlag_) {
    LeaveButtons(form_, hover_);
    return;
  }
  // The pointer is relative to the window, so the window follows its displacement.
  form_.window.left =
      ClampTwips(std::int64_t{form_.window.left} + std::int64_t{x} * twipX_ - dragX_);
  form_.window.top = ClampTwips(std::int64_t{form_.window.top} + std::int64_t{y} * twipY_ - dragY_);
  form_.Notify(kChangeGeometry);
}

void FrmTarnix::Form_MouseUp(int button, int, int) {
  if (button != 1) return;
  dragFlag_ = false;
  if (settings_.winSnap != 1) return;
  const PixelRect area = services_.screen.WorkArea();
  const TwipRect snapped = SnapToWorkArea(
      {form_.window.left, form_.window.top, form_.window.width, form_.window.height},
      {area.left * twipX_, area.top * twipY_, area.width * twipX_, area.height * twipY_});
  form_.window.left = snapped.left;
  form_.window.top = snapped.top;
  form_.Notify(kChangeGeometry);
}

void FrmTarnix::Form_Activate() {
  twipX_ = services_.screen.TwipsPerPixelX();
  twipY_ = services_.screen.TwipsPerPixelY();
  form_.window.onTop = settings_.winOnTop == 1;
  form_.Notify(kChangeWindowState);
}

}  // namespace varlo
