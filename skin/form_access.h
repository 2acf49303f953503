#pragma once
#include <array>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "skin/digit_display.h"
#include "skin/list_box.h"

namespace varlo {

// The list and edit areas of the main window that the modes fill (UrlHistory: the rows of the
// address box).
enum class FormList { Lyrics, CvtList, FmPreset, WrList, UrlHistory };

// Which of the indicator lights 1-22 are lit (element 0 unused).
using LightSet = std::array<bool, 23>;

// The two store modes: the next FM preset or link button stores instead of recalls, and the
// same for the web-radio presets.
enum class StoreMode { Presets, WebRadio };

// What a mode of the main window may reach of the form: its labels, lights, digit displays,
// sliders, lists, text entries, the pointer and the message box. Modes never see the window
// logic itself, so each one is built and tested against a fake of this interface. Widget
// numbers are the skin's (labels 1-80, lights 1-22, displays 1-13, sliders 1-9, entries 1-3);
// a number outside its range is ignored. Every call runs on the GUI thread.
class FormAccess {
 public:
  virtual ~FormAccess() = default;

  // Label captions; a change repaints only the captions.
  virtual void SetCaption(int label, std::string_view caption) = 0;
  virtual const std::string& Caption(int label) const = 0;

  // Shows or hides indicator light n, or all of them at once with one repaint; a light the
  // skin did not place stays hidden.
  virtual void SetLight(int light, bool lit) = 0;
  virtual void SetLights(const LightSet& lit) = 0;

  // Shows a number, time or text on digit display n.
  virtual void SetDD(int display, const DigitValue& value) = 0;
  // How many characters digit display n shows at once: the cell count of an alphanumeric
  // display, 0 for numeric ones and for displays the skin does not show.
  virtual int DisplayCells(int display) const = 0;

  // Slider n: whether the skin gives its knob a size, whether the knob shows, the knob's place
  // as a fraction from 0 to 1, and whether the user holds it right now.
  virtual bool SliderUsable(int slider) const = 0;
  virtual bool SliderVisible(int slider) const = 0;
  virtual void SetSliderVisible(int slider, bool visible) = 0;
  virtual void PlaceSlider(int slider, double fraction) = 0;
  virtual double SliderValue(int slider) const = 0;
  virtual bool SliderHeld(int slider) const = 0;

  // Whether the skin shows button n, a list area, the cover image.
  virtual bool ButtonVisible(int button) const = 0;
  virtual bool ListVisible(FormList list) const = 0;
  virtual bool CoverVisible() const = 0;

  // The rows and selection of a list area; the view follows their notifications.
  virtual ListBox& List(FormList list) = 0;

  // The text of text entry n (1-3).
  virtual void SetEntryText(int entry, std::string_view text) = 0;
  virtual const std::string& EntryText(int entry) const = 0;

  // The notepad's text (edit area 2), as the bytes it holds.
  virtual std::string NoteText() = 0;
  virtual void SetNoteText(std::string_view text) = 0;

  // The running flag of skin animation n (1-4).
  virtual void SetAnimationRunning(int animation, bool running) = 0;

  // Store modes; while one is armed the pointer is the arrow with a question mark.
  virtual bool StoreArmed(StoreMode mode) const = 0;
  virtual void SetStoreArmed(StoreMode mode, bool armed) = 0;

  // Repaints the whole window.
  virtual void Repaint() = 0;

  // The message box and the file dialogs, owned by the window.
  virtual IDialogs& Dialogs() = 0;
};

}  // namespace varlo
