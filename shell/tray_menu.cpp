#include "shell/tray_menu.h"

#include <initializer_list>
#include <utility>

namespace varlo {
namespace {

using Entry = std::pair<const char*, int>;

TrayMenuItem Item(int id, const char* caption, bool enabled = true) {
  TrayMenuItem item;
  item.id = id;
  item.caption = caption;
  item.enabled = enabled;
  return item;
}

TrayMenuItem Submenu(const char* caption, std::initializer_list<Entry> entries,
                     const std::function<bool(int)>& available) {
  TrayMenuItem menu = Item(0, caption);
  for (const auto& [text, code] : entries) {
    menu.items.push_back(Item(code, text, available(code)));
  }
  // A submenu none of whose items can run is disabled as a whole.
  menu.enabled = false;
  for (const TrayMenuItem& item : menu.items) menu.enabled = menu.enabled || item.enabled;
  return menu;
}

}  // namespace

TrayMenu BuildTrayMenu(const std::function<bool(int code)>& available, bool onTop) {
  TrayMenu menu;
  menu.push_back(Item(5, "&Preferences...", available(5)));
  menu.push_back(Item(6, "Select S&kin...", available(6)));

  TrayMenuItem favourites = Item(0, "&Favorite Skin");
  int slot = 0;
  for (const char* name : {"F&avorite", "&Player", "&Calculator", "&Notepad", "Cloc&k", "&FM Tuner",
                           "Web Browser", "Web &Radio", "Other &1", "Other &2"}) {
    favourites.items.push_back(
        Item(kFavouriteSkinItem + slot, name, available(kFavouriteSkinItem + slot)));
    ++slot;
  }
  menu.push_back(std::move(favourites));

  menu.push_back(Submenu("&Player",
                         {{"&Play", 12},
                          {"&Stop", 10},
                          {"P&ause", 11},
                          {"&Next", 15},
                          {"Pre&vious", 14},
                          {"&Visual Playlist Selector...", 35},
                          {"&Load Playlist...", 21},
                          {"Save Playlist...", 22},
                          {"Clear Playlist", 20},
                          {"Add &File...", 23},
                          {"Add Directory...", 24},
                          {"&Toggle Media/CD Mode", 37},
                          {"&Quick Find/Play", 150}},
                         available));
  menu.push_back(Submenu("&Calculator", {{"Load Conversion File...", 69}}, available));
  menu.push_back(Submenu(
      "&Notepad",
      {{"&Load File...", 76}, {"&Save File...", 77}, {"&Clear", 78}, {"&Print Note...", 79}},
      available));
  menu.push_back(Submenu("&Timers",
                         {{"Select &Next Timer", 70},
                          {"Select &Previous Timer", 71},
                          {"&Start/Stop Current", 72},
                          {"&Reset Current", 73},
                          {"&Lap", 74},
                          {"Reset &All", 75}},
                         available));
  menu.push_back(Submenu("&FM Tuner",
                         {{"Scan &Down", 80},
                          {"Scan &Up", 81},
                          {"Tune D&own", 82},
                          {"Tune Up", 83},
                          {"&Prev Preset", 84},
                          {"&Next Preset", 85}},
                         available));
  // "Searc&h" keeps the command the dispatcher gives it, the store-mode toggle (106); it is
  // offered only with the browser it belongs to.
  const auto browser = [&available](int code) { return available(code == 106 ? 101 : code); };
  menu.push_back(Submenu("&Web Browser",
                         {{"&Home", 101},
                          {"&Refresh", 102},
                          {"&Back", 103},
                          {"&Forward", 104},
                          {"&Stop", 105},
                          {"Searc&h", 106}},
                         browser));
  menu.push_back(Item(2, "&Minimize Window", available(2)));
  TrayMenuItem top = Item(kOnTopItem, "&Always On Top");
  top.checkable = true;
  top.checked = onTop;
  menu.push_back(std::move(top));
  menu.push_back(Item(1, "&Quit", available(1)));
  return menu;
}

}  // namespace varlo
