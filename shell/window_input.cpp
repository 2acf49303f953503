// Keys and mouse on the main window's background, dragging, moves and activation. Every
// handler here is user input: it runs through the gate, so it never interrupts other work.
#include <cctype>
#include <cstdint>

#include "shell/frm_tarnix.h"
#include "shell/window_snap.h"

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
    UserInput([this, key] { ButtonsAppearance(key); });
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
  UserInput([this, button, x, y] {
    inFlag_ = false;
    if (button == 1 && !dragFlag_) {
      dragX_ = ClampTwips(std::int64_t{x} * twipX_);
      dragY_ = ClampTwips(std::int64_t{y} * twipY_);
      dragFlag_ = true;
    } else if (button == 2 && settings_.noRMB != 1) {
      ModeOf(ModeSlot::Tray).ShowMenu(x, y);
    }
  });
}

void FrmTarnix::Btn_MouseDown(int i) {
  UserInput([this, i] { ButtonDown(form_, hover_, i); });
}

void FrmTarnix::Btn_MouseMove(int i, HeldButton held) {
  gate_.Offer([this, i, held] {
    if (HoverButton(form_, hover_, i, held) && held == HeldButton::Right) pressedCounter_ = 1;
  });
}

void FrmTarnix::Btn_MouseUp(int i) {
  UserInput([this, i] { RunCommand(ReleaseButton(form_, i)); });
}

void FrmTarnix::TmpBtn_MouseUp() {
  UserInput([this] { RunCommand(ReleasePressedImage(form_, hover_)); });
}

void FrmTarnix::iSlider_MouseDown(int n, int x, int y) {
  UserInput([this, n, x, y] { SliderPress(form_, sliderDrag_, n, x, y); });
}

void FrmTarnix::iSlider_MouseMove(int x, int y) {
  gate_.Offer([this, x, y] {
    if (sliderDrag_.n == 0) return;
    const int n = sliderDrag_.n;
    ModeOf(RouteOfSlider(n)).SliderMoved(n, SliderMove(form_, sliderDrag_, x, y));
  });
}

void FrmTarnix::iSlider_MouseUp() {
  UserInput([this] {
    const int n = sliderDrag_.n;
    sliderDrag_ = SliderDrag{};
    if (n != 0) ModeOf(RouteOfSlider(n)).SliderReleased(n);
  });
}

void FrmTarnix::Lbl_MouseDown(int, int button, int x, int y) {
  if (button != 2 || settings_.noRMB == 1) return;
  UserInput([this, x, y] { ModeOf(ModeSlot::Tray).ShowMenu(x, y); });
}

void FrmTarnix::Dig_MouseDown(int n, int button, int x, int y) {
  Lbl_MouseDown(n, button, x, y);
}

void FrmTarnix::Lbl_Click(int n) {
  UserInput([this, n] { ModeOf(RouteOfLabel(n)).LabelClicked(n); });
}

void FrmTarnix::List_Event(ListArea area, ListAction action, int value) {
  UserInput(
      [this, area, action, value] { ModeOf(RouteOfList(area)).ListEvent(area, action, value); });
}

void FrmTarnix::FilesDropped(const std::vector<std::string>& files) {
  UserInput([this, files] { ModeOf(ModeSlot::Player).FilesDropped(files); });
}

void FrmTarnix::Entry_Changed(int entry, const std::string& text) {
  // The entry shows the text already; the model only follows it.
  if (entry >= 1 && static_cast<std::size_t>(entry) < form_.txtEntry.size())
    form_.txtEntry[static_cast<std::size_t>(entry)].text = text;
}

bool FrmTarnix::Entry_KeyDown(int entry, int key) {
  if (gate_.Busy()) {
    UserInput([this, entry, key] { ModeOf(RouteOfEntry(entry)).EntryKey(entry, key); });
    return true;
  }
  bool swallowed = false;
  UserInput([&] { swallowed = ModeOf(RouteOfEntry(entry)).EntryKey(entry, key); });
  return swallowed;
}

void FrmTarnix::Combo_Chosen(const std::string& text) {
  UserInput([this, text] { browser_->SetURL(text); });
}

void FrmTarnix::iCover_DblClick() {
  UserInput([this] { player_->iCover_DblClick(); });
}

void FrmTarnix::Form_MouseMove(int, int x, int y) {
  gate_.Offer([this, x, y] {
    if (!dragFlag_) {
      LeaveButtons(form_, hover_);
      return;
    }
    // The pointer is relative to the window, so the window follows its displacement.
    form_.window.left =
        ClampTwips(std::int64_t{form_.window.left} + std::int64_t{x} * twipX_ - dragX_);
    form_.window.top =
        ClampTwips(std::int64_t{form_.window.top} + std::int64_t{y} * twipY_ - dragY_);
    form_.window.placed = true;
    form_.Notify(kChangeGeometry);
  });
}

void FrmTarnix::Form_MouseUp(int button, int, int) {
  if (button != 1) return;
  UserInput([this] {
    dragFlag_ = false;
    if (settings_.winSnap != 1) return;
    const PixelRect area = services_.screen.WorkArea();
    const TwipRect snapped = SnapToWorkArea(
        {form_.window.left, form_.window.top, form_.window.width, form_.window.height},
        {area.left * twipX_, area.top * twipY_, area.width * twipX_, area.height * twipY_});
    form_.window.left = snapped.left;
    form_.window.top = snapped.top;
    form_.Notify(kChangeGeometry);
  });
}

void FrmTarnix::Form_Moved(int x, int y) {
  // Not user input of the window: the model follows the window system at once, without a
  // notification, since the window already stands there.
  form_.window.left = ClampTwips(std::int64_t{x} * twipX_);
  form_.window.top = ClampTwips(std::int64_t{y} * twipY_);
  form_.window.placed = true;
}

void FrmTarnix::Form_WindowState(bool minimised) {
  // The user restored or minimised the window: the model follows, so a later change of the
  // window state does not minimise it again.
  form_.window.minimised = minimised;
  if (!minimised) form_.window.shown = true;
}

void FrmTarnix::Form_Activate() {
  UserInput([this] {
    twipX_ = services_.screen.TwipsPerPixelX();
    twipY_ = services_.screen.TwipsPerPixelY();
    form_.window.onTop = WantsOnTop(settings_);
    form_.Notify(kChangeWindowState);
  });
}

}  // namespace varlo
