#pragma once
#include <string>

#include "common/app_settings.h"
#include "platform/tray_icon.h"
#include "player/player_links.h"
#include "shell/mode.h"
#include "shell/tray_menu.h"

namespace varlo {

// What the tray asks of the main window.
class TrayHost {
 public:
  virtual ~TrayHost() = default;
  // Runs command `code` as a user command of the window.
  virtual void TrayCommand(int code) = 0;
  // Whether a mode of the program performs `code`.
  virtual bool CommandAvailable(int code) = 0;
  // Loads favourite skin slot 0-9.
  virtual void LoadFavouriteSkin(int slot) = 0;
  // Brings a hidden or minimised window back in front; the on-top choice then applies.
  virtual void RestoreWindow() = 0;
  // Applies the "WinOnTop" choice to the window.
  virtual void ApplyOnTop() = 0;
  // Whether hiding the window hides it (a tray icon brings it back) or minimises it.
  virtual void SetTrayPresent(bool present) = 0;
  // Screen pixels of window pixel (x, y), and the window pixel of the top left of the skin
  // button shown with command `code` (the window's corner when none is).
  virtual void ScreenPoint(int& x, int& y) = 0;
  virtual void ButtonCorner(int code, int& x, int& y) = 0;
};

// The tray icon and the popup menu: the icon with the player's tip, the menu from the icon,
// the window's right button and command 38, and the window coming back from the icon.
class TrayMode final : public Mode, public TrayTip, private TrayListener {
 public:
  TrayMode(ITrayIcon& icon, TrayHost& host, AppSettings& settings);

  void Load() override;
  void Unload() override;
  void DoIt(int code) override;
  void ShowMenu(int x, int y) override;
  void SetTrayTip(const std::string& tip) override;

  // The menu as it stands.
  TrayMenu Menu() { return CurrentMenu(); }
  // A menu item chosen, or the icon clicked (also what the icon's events call).
  void Choose(int id) { MenuChosen(id); }
  void Activate() { IconActivated(); }
  bool Present() const { return present_; }

 private:
  TrayMenu CurrentMenu() override;
  void MenuChosen(int id) override;
  void IconActivated() override;

  ITrayIcon& icon_;
  TrayHost& host_;
  AppSettings& settings_;
  bool present_ = false;
};

}  // namespace varlo
