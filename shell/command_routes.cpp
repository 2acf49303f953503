#include "shell/command_routes.h"

#include <array>

namespace varlo {
namespace {

struct Route {
  int first, last;
  ModeSlot slot;
};

// The command table by code range, in code order.
constexpr std::array kRoutes{
    Route{1, 4, ModeSlot::Window},       Route{5, 5, ModeSlot::Preferences},
    Route{6, 6, ModeSlot::SkinBrowser},  Route{7, 12, ModeSlot::Player},
    Route{13, 13, ModeSlot::Cd},         Route{14, 37, ModeSlot::Player},
    Route{38, 38, ModeSlot::Tray},       Route{39, 39, ModeSlot::Player},
    Route{40, 69, ModeSlot::Calculator}, Route{70, 75, ModeSlot::Clock},
    Route{76, 79, ModeSlot::Notepad},    Route{80, 100, ModeSlot::Fm},
    Route{101, 105, ModeSlot::Browser},  Route{106, 106, ModeSlot::Window},
    Route{110, 119, ModeSlot::Browser},  Route{130, 145, ModeSlot::WebRadio},
    Route{146, 146, ModeSlot::Window},   Route{147, 148, ModeSlot::WebRadio},
    Route{150, 150, ModeSlot::Player},   Route{151, 151, ModeSlot::Window},
    Route{1001, 1010, ModeSlot::Window}, Route{1011, 1020, ModeSlot::Browser},
};

}  // namespace

ModeSlot RouteOfCommand(int code) {
  for (const Route& r : kRoutes)
    if (code >= r.first && code <= r.last) return r.slot;
  return ModeSlot::None;
}

ModeSlot RouteOfCommand(int code, bool fmShown) {
  if (fmShown && code >= 7 && code <= 9) return ModeSlot::Fm;
  return RouteOfCommand(code);
}

ModeSlot RouteOfSlider(int slider) {
  if (slider >= 1 && slider <= 3) return ModeSlot::Player;
  if (slider == 6) return ModeSlot::Fm;
  return ModeSlot::None;
}

ModeSlot RouteOfLabel(int label) {
  if (label == 1 || label == 2) return ModeSlot::Player;
  if (label == 28 || label == 30 || (label >= 31 && label <= 40)) return ModeSlot::Clock;
  return ModeSlot::None;
}

ModeSlot RouteOfEntry(int entry) {
  if (entry == 1) return ModeSlot::Fm;
  if (entry == 2) return ModeSlot::Browser;
  if (entry == 3) return ModeSlot::WebRadio;
  return ModeSlot::None;
}

ModeSlot RouteOfList(ListArea area) {
  switch (area) {
    case ListArea::Playlist:
    case ListArea::Lyrics:
      return ModeSlot::Player;
    case ListArea::CvtList:
      return ModeSlot::Calculator;
    case ListArea::FmPreset:
      return ModeSlot::Fm;
    case ListArea::WrList:
      return ModeSlot::WebRadio;
  }
  return ModeSlot::None;
}

}  // namespace varlo
