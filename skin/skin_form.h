#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "common/picture.h"
#include "skin/blit.h"
#include "skin/skin_tables.h"
#include "skin/widgets.h"
#include "skin/window_region.h"

namespace varlo {

// What changed in the form since the view last looked; the view redraws accordingly.
enum FormChange : unsigned {
  kChangeGeometry = 1u << 0,     // window position or size
  kChangeRegion = 1u << 1,       // window shape
  kChangePictures = 1u << 2,     // window picture or resource bitmap
  kChangeWidgets = 1u << 3,      // placement, visibility, captions, colours of widgets
  kChangeWindowState = 1u << 4,  // minimised, shown, on top
  kChangeDigits = 1u << 5,       // the cells of a digit display (digitCells)
  kChangeAnimation = 1u << 6,    // the frame of an animation (animFrames)
  kChangeCaptions = 1u << 7,     // only the captions of labels
  kChangeKnobs = 1u << 8,        // only the places of slider knobs and the level bar's length
  kChangeAll = 0xFFFFu,
};

// The main window itself: position and size in twips, background, pictures and shape.
struct WindowState {
  std::int32_t left = 0, top = 0, width = 0, height = 0;  // twips
  Colour backColour = 0;
  Picture picture;    // the window background
  Picture resBitmap;  // pressed images, digits, knobs and animation frames
  WindowRegion region;
  bool minimised = false;
  bool shown = true;
  bool onTop = false;
  bool timer1Enabled = false;
  bool timer2Enabled = false;
  bool storePointer = false;  // the arrow with a question mark: a store is armed
  // The position is the program's (stored, or where the window was moved to); until then the
  // window system places the window and its place is taken from there.
  bool placed = false;
  // A tray icon can bring a hidden window back; without one, hiding minimises.
  bool trayPresent = false;
  // Counts the requests to bring the window back in front (from the tray).
  int restoreRequests = 0;
};

// The widgets of the main window that skins place, with the index ranges the program
// creates (element 0 of each array is never used by skins).
struct SkinForm {
  WindowState window;

  std::array<ButtonWidget, 121> btn{};
  std::array<LabelWidget, 81> lbl{};
  std::array<IndicatorWidget, 23> ind{};
  std::array<SkinWidget, 2> img{};
  std::array<SkinWidget, 14> dig{};
  std::array<PictureWidget, 10> slider{};
  std::array<SkinWidget, 5> anim{};
  std::array<TextEntryWidget, 4> txtEntry{};
  std::array<AreaWidget, 2> combo{};

  // Fixed areas of the list/edit element, by area number 1-8 (3 is unused).
  AreaWidget plNames, notepad, lyrics, cvtList, fmPreset, wrList;
  // Content areas 1-3.
  SkinWidget cover, webBrowser, videoBox;
  SkinWidget mediaPlayer;  // the hidden player widget kept out of sight

  PictureWidget tmpBtn;  // the pressed image of one button
  // What digit displays 1-13 show, as copies out of the resource bitmap; painted only while
  // the display is visible.
  std::array<DigitBlits, 14> digitCells{};
  // The frame each animation 1-4 shows; width 0 until its first step paints one.
  std::array<Blit, 5> animFrames{};
  bool videoIsDisplay = false;  // the video window is the media controls' display window

  SkinTables tables;
  int coolFlag = 0;  // hover style: 0 none, 1 border, 2 pressed image

  // Called with the FormChange bits whenever the logic has changed the form.
  std::function<void(unsigned)> onChange;
  void Notify(unsigned changes) const {
    if (onChange) onChange(changes);
  }

  AreaWidget* Area(int n);
};

}  // namespace varlo
