#pragma once
#include <functional>

#include "platform/tray_icon.h"

namespace varlo {

// The popup menu's items. Command items carry their command code as id; the favourite skins
// and "Always On Top" act directly and carry ids above every command code.
inline constexpr int kFavouriteSkinItem = 5000;  // + slot 0-9
inline constexpr int kOnTopItem = 5100;

// The menu, in its order with its accelerators. `available` says whether a command code has a
// mode to perform it (items of modes not yet in the program are disabled) and whether a
// favourite slot's id names a skin; `onTop` sets the check mark of "&Always On Top".
TrayMenu BuildTrayMenu(const std::function<bool(int code)>& available, bool onTop);

}  // namespace varlo
