#pragma once
#include <array>
#include <map>
#include <set>
#include <string>

#include "player/player_links.h"
#include "skin/form_access.h"
#include "tests/support/fakes.h"

namespace varlo::testing {

// The form as a mode sees it, recorded: captions, lights, what each digit display was last
// given, the sliders, the lists and the store modes. Widget numbers out of range are ignored
// as the real form ignores them.
struct FakeForm : FormAccess {
  std::map<int, std::string> captions;
  std::array<bool, 23> lights{};
  int lightCalls = 0;
  // The last value of each digit display as text (numbers with std::to_string's %g-like form).
  std::map<int, std::string> digits;
  std::map<int, double> digitNumbers;
  std::map<int, int> cells;  // DisplayCells answers; absent = 0
  std::set<int> usableSliders{1, 2, 3};
  std::array<bool, 10> sliderVisible{};
  std::array<double, 10> sliderValue{};
  std::set<int> heldSliders;
  std::set<int> visibleButtons;
  std::set<FormList> visibleLists;
  bool coverVisible = true;
  std::array<ListBox, 5> lists{};
  std::array<bool, 5> animations{};
  std::array<bool, 2> armed{};
  int repaints = 0;
  std::string note;  // the notepad's text
  FakeDialogs dialogs;

  void SetCaption(int label, std::string_view caption) override {
    if (label >= 1 && label <= 80) captions[label] = std::string(caption);
  }
  const std::string& Caption(int label) const override {
    static const std::string kNone;
    const auto it = captions.find(label);
    return it == captions.end() ? kNone : it->second;
  }
  void SetLight(int light, bool lit) override {
    if (light < 1 || light > 22) return;
    lights[static_cast<std::size_t>(light)] = lit;
    ++lightCalls;
  }
  void SetLights(const LightSet& lit) override {
    for (int n = 1; n <= 22; ++n) SetLight(n, lit[static_cast<std::size_t>(n)]);
  }
  void SetDD(int display, const DigitValue& value) override {
    if (display < 1 || display > 13) return;
    if (value.IsText()) {
      digits[display] = std::string(value.Text());
    } else {
      digitNumbers[display] = value.Number();
      digits[display] = std::to_string(static_cast<long long>(value.Number()));
    }
  }
  int DisplayCells(int display) const override {
    const auto it = cells.find(display);
    return it == cells.end() ? 0 : it->second;
  }
  bool SliderUsable(int slider) const override { return usableSliders.count(slider) > 0; }
  bool SliderVisible(int slider) const override {
    return slider >= 1 && slider <= 9 && sliderVisible[static_cast<std::size_t>(slider)];
  }
  void SetSliderVisible(int slider, bool visible) override {
    if (slider >= 1 && slider <= 9) sliderVisible[static_cast<std::size_t>(slider)] = visible;
  }
  void PlaceSlider(int slider, double fraction) override {
    if (slider >= 1 && slider <= 9) sliderValue[static_cast<std::size_t>(slider)] = fraction;
  }
  double SliderValue(int slider) const override {
    return slider >= 1 && slider <= 9 ? sliderValue[static_cast<std::size_t>(slider)] : 0;
  }
  bool SliderHeld(int slider) const override { return heldSliders.count(slider) > 0; }
  bool ButtonVisible(int button) const override { return visibleButtons.count(button) > 0; }
  bool ListVisible(FormList list) const override { return visibleLists.count(list) > 0; }
  bool CoverVisible() const override { return coverVisible; }
  ListBox& List(FormList list) override { return lists[static_cast<std::size_t>(list)]; }
  std::map<int, std::string> entries;
  void SetEntryText(int entry, std::string_view text) override {
    if (entry >= 1 && entry <= 3) entries[entry] = std::string(text);
  }
  const std::string& EntryText(int entry) const override {
    static const std::string kNone;
    const auto it = entries.find(entry);
    return it == entries.end() ? kNone : it->second;
  }
  std::string NoteText() override { return note; }
  void SetNoteText(std::string_view text) override { note.assign(text); }
  void SetAnimationRunning(int animation, bool running) override {
    if (animation >= 1 && animation <= 4) animations[static_cast<std::size_t>(animation)] = running;
  }
  bool StoreArmed(StoreMode mode) const override { return armed[static_cast<std::size_t>(mode)]; }
  void SetStoreArmed(StoreMode mode, bool on) override {
    armed[static_cast<std::size_t>(mode)] = on;
  }
  void Repaint() override { ++repaints; }
  IDialogs& Dialogs() override { return dialogs; }
};

// The engine's links with every subsystem absent but the one showing what plays.
struct NullPlayerLinks {
  NullTitleDisplay titles;
  NullTrayTip tray;
  NullDiscTracks disc;
  NullVolumeMixer mixer;
  PlayerLinks With(NowPlaying& media) { return {media, titles, tray, disc, mixer}; }
};

}  // namespace varlo::testing
