#include "shell/tray_mode.h"

#include <cstdio>

#include "common/utf8_text.h"

namespace varlo {
namespace {

// The tip the notification area shows, in bytes, cut on a character boundary.
constexpr std::size_t kTipMax = 63;

}  // namespace

TrayMode::TrayMode(ITrayIcon& icon, TrayHost& host, AppSettings& settings)
    : icon_(icon), host_(host), settings_(settings) {}

void TrayMode::Load() {
  icon_.Listen(*this);
  present_ = icon_.Available();
  if (present_) {
    icon_.Add("Varlo");
  } else {
    std::fputs("varlo: the desktop has no notification area; hiding the window minimises it\n",
               stderr);
  }
  host_.SetTrayPresent(present_);
  host_.ApplyOnTop();
}

void TrayMode::Unload() {
  if (present_) icon_.Remove();
  present_ = false;
}

void TrayMode::DoIt(int code) {
  if (code != 38) return;
  int x = 0, y = 0;
  host_.ButtonCorner(38, x, y);
  ShowMenu(x, y);
}

void TrayMode::ShowMenu(int x, int y) {
  host_.ScreenPoint(x, y);
  icon_.PopUp(CurrentMenu(), x, y);
}

void TrayMode::SetTrayTip(const std::string& tip) {
  if (present_) icon_.SetTip(tip.substr(0, Utf8PrefixLength(tip, kTipMax)));
}

TrayMenu TrayMode::CurrentMenu() {
  return BuildTrayMenu([this](int code) { return host_.CommandAvailable(code); },
                       WantsOnTop(settings_));
}

void TrayMode::MenuChosen(int id) {
  if (id >= kFavouriteSkinItem && id < kFavouriteSkinItem + 10) {
    host_.LoadFavouriteSkin(id - kFavouriteSkinItem);
  } else if (id == kOnTopItem) {
    settings_.winOnTop = WantsOnTop(settings_) ? 0 : 1;
    host_.ApplyOnTop();
  } else if (id > 0 && host_.CommandAvailable(id)) {
    host_.TrayCommand(id);
  }
}

void TrayMode::IconActivated() {
  host_.RestoreWindow();
}

}  // namespace varlo
