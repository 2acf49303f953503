#include "shell/main_form.h"

#include <cstdlib>

#include "skin/slider_place.h"

namespace varlo {
namespace {

// Whether n indexes a widget array of the form, leaving out the unused element 0.
template <typename Array>
bool InRange(const Array& widgets, int n) {
  return n >= 1 && static_cast<std::size_t>(n) < widgets.size();
}

const std::string kNoCaption;

}  // namespace

void MainForm::SetCaption(int label, std::string_view caption) {
  if (!InRange(form_.lbl, label)) return;
  LabelWidget& l = form_.lbl[static_cast<std::size_t>(label)];
  if (l.caption == caption) return;
  l.caption.assign(caption);
  form_.Notify(kChangeCaptions);
}

const std::string& MainForm::Caption(int label) const {
  if (!InRange(form_.lbl, label)) return kNoCaption;
  return form_.lbl[static_cast<std::size_t>(label)].caption;
}

namespace {
// Shows light n as asked, unless the skin did not place it (parked off the window); true when
// its visibility changed.
bool ApplyLight(SkinForm& form, std::size_t n, bool lit) {
  IndicatorWidget& ind = form.ind[n];
  const bool visible = lit && ind.width > 0 && ind.left > -1000;
  if (ind.visible == visible) return false;
  ind.visible = visible;
  return true;
}
}  // namespace

void MainForm::SetLight(int light, bool lit) {
  if (!InRange(form_.ind, light)) return;
  if (ApplyLight(form_, static_cast<std::size_t>(light), lit)) form_.Notify(kChangeWidgets);
}

void MainForm::SetLights(const LightSet& lit) {
  bool changed = false;
  for (std::size_t n = 1; n < lit.size() && n < form_.ind.size(); ++n)
    changed |= ApplyLight(form_, n, lit[n]);
  if (changed) form_.Notify(kChangeWidgets);
}

void MainForm::SetDD(int display, const DigitValue& value) {
  if (!InRange(form_.dig, display)) return;
  varlo::SetDD(form_, display, value, DigitClock{clock_, settings_.timeFmt != 1});
}

int MainForm::DisplayCells(int display) const {
  if (!InRange(form_.dig, display)) return 0;
  const auto n = static_cast<std::size_t>(display);
  const DigitRecord& rec = form_.tables.digits[n];
  if (!form_.dig[n].visible || rec.d1 == 0) return 0;
  return std::abs(rec.style);
}

bool MainForm::SliderUsable(int slider) const {
  if (!InRange(form_.slider, slider)) return false;
  const PictureWidget& knob = form_.slider[static_cast<std::size_t>(slider)];
  return knob.width > 0 && knob.height > 0;
}

bool MainForm::SliderVisible(int slider) const {
  return InRange(form_.slider, slider) && form_.slider[static_cast<std::size_t>(slider)].visible;
}

void MainForm::SetSliderVisible(int slider, bool visible) {
  if (!InRange(form_.slider, slider)) return;
  PictureWidget& knob = form_.slider[static_cast<std::size_t>(slider)];
  if (knob.visible == visible) return;
  knob.visible = visible;
  form_.Notify(kChangeWidgets);
}

void MainForm::PlaceSlider(int slider, double fraction) {
  if (!InRange(form_.slider, slider)) return;
  varlo::PlaceSlider(form_, slider, fraction);
}

double MainForm::SliderValue(int slider) const {
  if (!InRange(form_.slider, slider)) return 0;
  return form_.tables.sliders[static_cast<std::size_t>(slider)].value;
}

bool MainForm::ButtonVisible(int button) const {
  return InRange(form_.btn, button) && form_.btn[static_cast<std::size_t>(button)].visible;
}

bool MainForm::ListVisible(FormList list) const {
  switch (list) {
    case FormList::Lyrics:
      return form_.lyrics.visible;
    case FormList::CvtList:
      return form_.cvtList.visible;
    case FormList::FmPreset:
      return form_.fmPreset.visible;
    case FormList::WrList:
      return form_.wrList.visible;
    case FormList::UrlHistory:
      return form_.combo[1].visible;
  }
  return false;
}

void MainForm::SetEntryText(int entry, std::string_view text) {
  if (!InRange(form_.txtEntry, entry)) return;
  TextEntryWidget& e = form_.txtEntry[static_cast<std::size_t>(entry)];
  if (e.text == text) return;
  e.text.assign(text);
  form_.Notify(kChangeWidgets);
}

const std::string& MainForm::EntryText(int entry) const {
  if (!InRange(form_.txtEntry, entry)) return kNoCaption;
  return form_.txtEntry[static_cast<std::size_t>(entry)].text;
}

void MainForm::SetAnimationRunning(int animation, bool running) {
  if (animation < 1 || static_cast<std::size_t>(animation) >= form_.tables.anims.size()) return;
  form_.tables.anims[static_cast<std::size_t>(animation)].running = running;
  form_.Notify(kChangeAnimation);
}

void MainForm::SetStoreArmed(StoreMode mode, bool armed) {
  armed_[static_cast<std::size_t>(mode)] = armed;
  const bool any = armed_[0] || armed_[1];
  if (form_.window.storePointer == any) return;
  form_.window.storePointer = any;
  form_.Notify(kChangeWindowState);
}

}  // namespace varlo
