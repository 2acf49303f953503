#pragma once
#include <cstddef>

#include "shell/mode.h"

namespace varlo {

// The subsystems of the main window that commands, timers, lists and sliders are routed to.
enum class ModeSlot : std::size_t {
  Window,      // the window itself: close, hide, sizes, skins by link and reload
  Player,      // transport, playlist, tag, covers, lyrics, quick find, playlist selector
  Cd,          // the CD drive
  Fm,          // the FM tuner
  WebRadio,    // internet radio
  Browser,     // the web browser and web links
  Calculator,  // calculator and unit conversion
  Notepad,
  Clock,        // clock, timers, schedule and snooze
  Preferences,  // the preferences window
  SkinBrowser,  // skin selection
  Tray,         // tray icon and popup menu
  None,         // codes without a command
};
inline constexpr std::size_t kModeSlots = static_cast<std::size_t>(ModeSlot::None);

// Which subsystem performs command `code`.
ModeSlot RouteOfCommand(int code);
// The same while the window shows the FM mode, where the volume and mute commands drive the
// tuner card.
ModeSlot RouteOfCommand(int code, bool fmShown);

// Which subsystem a slider drives (1-3 the player's position, volume and balance, 6 the FM
// tuning); sliders without a role belong to nobody.
ModeSlot RouteOfSlider(int slider);

// Which subsystem a click on label n belongs to (1 and 2 the player's position and title,
// 28, 30 and 31-40 the clock's timer table).
ModeSlot RouteOfLabel(int label);

// Which subsystem text entry n belongs to (1 the FM station name, 2 the browser's address,
// 3 web radio's station edit box).
ModeSlot RouteOfEntry(int entry);

// Which subsystem fills list area `area`.
ModeSlot RouteOfList(ListArea area);

}  // namespace varlo
