#pragma once
#include <array>
#include <string>

#include "common/app_settings.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "skin/form_access.h"
#include "skin/skin_form.h"
#include "skin/slider_drag.h"
#include "skin/text_box.h"

namespace varlo {

// The main window's form as its modes see it: the skin's widgets, the lists the modes fill,
// the store modes and the dialogs. Every change notifies the view through the skin form.
class MainForm final : public FormAccess {
 public:
  MainForm(SkinForm& form, IDialogs& dialogs, const IClock& clock, const AppSettings& settings,
           const SliderDrag& drag)
      : form_(form), dialogs_(dialogs), clock_(clock), settings_(settings), drag_(drag) {}

  void SetCaption(int label, std::string_view caption) override;
  const std::string& Caption(int label) const override;
  void SetLight(int light, bool lit) override;
  void SetLights(const LightSet& lit) override;
  void SetDD(int display, const DigitValue& value) override;
  int DisplayCells(int display) const override;
  bool SliderUsable(int slider) const override;
  bool SliderVisible(int slider) const override;
  void SetSliderVisible(int slider, bool visible) override;
  void PlaceSlider(int slider, double fraction) override;
  double SliderValue(int slider) const override;
  bool SliderHeld(int slider) const override { return slider != 0 && drag_.n == slider; }
  bool ButtonVisible(int button) const override;
  bool ListVisible(FormList list) const override;
  bool CoverVisible() const override { return form_.cover.visible; }
  ListBox& List(FormList list) override { return lists_[static_cast<std::size_t>(list)]; }
  void SetEntryText(int entry, std::string_view text) override;
  const std::string& EntryText(int entry) const override;
  std::string NoteText() override { return note_.Text(); }
  void SetNoteText(std::string_view text) override { note_.Set(std::string(text)); }
  // The notepad's text as its view binds it.
  TextBox& Note() { return note_; }
  void SetAnimationRunning(int animation, bool running) override;
  bool StoreArmed(StoreMode mode) const override { return armed_[static_cast<std::size_t>(mode)]; }
  void SetStoreArmed(StoreMode mode, bool armed) override;
  void Repaint() override { form_.Notify(kChangeWidgets); }
  IDialogs& Dialogs() override { return dialogs_; }

 private:
  SkinForm& form_;
  IDialogs& dialogs_;
  const IClock& clock_;
  const AppSettings& settings_;
  const SliderDrag& drag_;
  std::array<ListBox, 5> lists_{};
  std::array<bool, 2> armed_{};
  TextBox note_;
};

}  // namespace varlo
