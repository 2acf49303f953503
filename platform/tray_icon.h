#pragma once
#include <string>
#include <vector>

namespace varlo {

// One item of the program's popup menu: a command item (id > 0), a separator-free submenu
// (items not empty), enabled or not, with an optional check mark. Captions carry "&" before
// their accelerator letter.
struct TrayMenuItem {
  int id = 0;
  std::string caption;
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
  std::vector<TrayMenuItem> items;
};
using TrayMenu = std::vector<TrayMenuItem>;

// What the tray icon reports, on the GUI thread.
class TrayListener {
 public:
  virtual ~TrayListener() = default;
  // The menu as it is now, each time it is about to open from the icon.
  virtual TrayMenu CurrentMenu() = 0;
  // The user chose item `id` of a menu the icon or PopUp showed.
  virtual void MenuChosen(int id) = 0;
  // A click or double-click on the icon (many hosts send only single clicks).
  virtual void IconActivated() = 0;
};

// The program's icon in the desktop's notification area and the popup menu it owns.
class ITrayIcon {
 public:
  virtual ~ITrayIcon() = default;
  // Whether the desktop has a notification area at all.
  virtual bool Available() = 0;
  // Where the icon's and the menus' events go; `listener` outlives the icon.
  virtual void Listen(TrayListener& listener) = 0;
  // Shows the icon with `tip`.
  virtual void Add(const std::string& tip) = 0;
  virtual void Remove() = 0;
  // The tip, plain text.
  virtual void SetTip(const std::string& tip) = 0;
  // Opens `menu` at screen pixel (x, y); returns at once, the choice arrives as MenuChosen.
  virtual void PopUp(const TrayMenu& menu, int x, int y) = 0;
};

// No notification area and no menus (headless runs).
class NullTrayIcon final : public ITrayIcon {
 public:
  bool Available() override { return false; }
  void Listen(TrayListener&) override {}
  void Add(const std::string&) override {}
  void Remove() override {}
  void SetTip(const std::string&) override {}
  void PopUp(const TrayMenu&, int, int) override {}
};

}  // namespace varlo
