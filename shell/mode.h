#pragma once
#include <string>
#include <vector>

namespace varlo {

// The list areas of the main window whose events go to the mode that fills them.
enum class ListArea { Playlist, Lyrics, CvtList, FmPreset, WrList };

// What happened in a list area: a click or a double-click on a row, or a key pressed in it.
enum class ListAction { Click, DoubleClick, Key };

// What the main window hands to one of its modes (player, CD, FM, web radio, browser, the desk
// tools, the tray). The main window owns one member per mode and calls these at fixed points of
// its start-up, shut-down, timers and command dispatch; a mode keeps its own state and reaches
// the window only through FormAccess. Every call runs on the GUI thread, never while another
// command of the window runs.
class Mode {
 public:
  virtual ~Mode() = default;

  // Start-up, once the settings are read and the skin is loaded.
  virtual void Load() {}
  // Shut-down, first: stop what plays and release the mode's devices.
  virtual void Release() {}
  // Shut-down: write the mode's settings into the store and save its files. The store itself
  // is written by the window afterwards.
  virtual void SaveState() {}
  // Shut-down, after the settings are written: release devices, ask what the user wants kept.
  virtual void Unload() {}

  // A command code of the mode's ranges (the window's routing table says which).
  virtual void DoIt(int) {}

  // The window's timers: Timer1 every 100 ms, Timer2 every 200 ms, and the once-a-second and
  // once-a-minute steps of Timer2.
  virtual void Timer1Step() {}
  virtual void Timer2Step() {}
  virtual void SecondStep() {}
  virtual void MinuteStep() {}

  // Redraws the digit displays the mode feeds (after a skin load or a paint request).
  virtual void Paint() {}

  // The popup menu at window point (x, y), for the mode that owns it (the tray).
  virtual void ShowMenu(int, int) {}

  // A click on one of the mode's labels.
  virtual void LabelClicked(int) {}

  // An event of a list area the mode fills: the 0-based row, or the key code for Key.
  virtual void ListEvent(ListArea, ListAction, int) {}

  // A key pressed in text entry n of the mode (13 Enter, 38 Up, 40 Down); the entry's text
  // is in the form. True when the mode swallows the key.
  virtual bool EntryKey(int, int) { return false; }

  // Files dropped on the window or its playlist.
  virtual void FilesDropped(const std::vector<std::string>&) {}

  // A slider of the mode was dragged to `value` (0 to 1), or let go.
  virtual void SliderMoved(int, double) {}
  virtual void SliderReleased(int) {}

  // The number typed into label 23 when the jump command runs; true when the mode took it.
  virtual bool TakeTypedNumber(double) { return false; }

  // Whether the mode performs command `code` of its ranges (menus offer only those).
  virtual bool Handles(int) const { return true; }
};

// A mode that is not part of the program: every call does nothing.
class NullMode final : public Mode {
 public:
  bool Handles(int) const override { return false; }
};

}  // namespace varlo
