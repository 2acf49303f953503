// The FM radio: a header like the player's, a tuner panel with the frequency display,
// the tuning dial and the tuning keys, and a preset panel with the preset list and the
// ten preset keys.
#include <algorithm>
#include <string>

#include "tools/skingen/glyphs.h"
#include "tools/skingen/layout.h"
#include "tools/skingen/layout_parts.h"

namespace skingen {

namespace {

using namespace layout_parts;

constexpr int kWidth = 400;
constexpr int kHeaderBottom = 40;
constexpr int kTunerTop = 46;
constexpr int kTunerBottom = 198;
constexpr int kPresetsTop = 204;
constexpr int kHeight = 330;

// The dial shows the band the tuner covers.
constexpr int kBandLow = 87;
constexpr int kBandHigh = 108;

void Header(Skin& s) {
  const int y = 12;
  const int size = 16;
  // Right-aligned as in the player's header, so the way back is where the way here was.
  const int right = kWidth - 34;
  Add(s, 1001, {right - 132, y, size, size}, "U", "Player", ButtonLook::Window, Icon::Note).link =
      "default.skin";
  Add(s, 3, {right - 108, y, size, size}, "T", "Show or hide the presets", ButtonLook::Window,
      Icon::Playlist);
  Add(s, 6, {right - 88, y, size, size}, "K", "Choose a skin", ButtonLook::Window, Icon::Skin);
  Add(s, 5, {right - 68, y, size, size}, "P", "Preferences", ButtonLook::Window, Icon::Prefs);
  Add(s, 4, {right - 40, y, size, size}, "W", "Compact window", ButtonLook::Window, Icon::Small);
  Add(s, 2, {right - 20, y, size, size}, "none", "Hide to the tray", ButtonLook::Window,
      Icon::Hide);
  Add(s, 1, {right, y, size, size}, "none", "Close Varlo", ButtonLook::Window, Icon::Close);

  // The marquee, the song name display of the player: the radio text a station sends, else
  // the mode's name.
  s.marquee = {98, 8, 132, 24};
  DigitDisplay text;
  text.n = 6;
  text.x = 104;
  text.y = 11;
  text.w = 12;
  text.h = 18;
  text.d1 = 1;
  text.style = 10;
  text.tip = "Radio text";
  s.digits.push_back(text);
}

// The station's picture at the left; beside it the display window: the frequency in
// large digits, then the station, the preset number and the stereo light, the frequency
// as text, the preset slot and the mute caption.
void Display(Skin& s) {
  s.radio.picture = {14, 56, 62, 62};
  s.contents.push_back(ContentArea{1, {16, 58, 58, 58}});
  s.radio.lcd = {84, 56, 302, 62};

  DigitDisplay freq;
  freq.n = 9;
  freq.x = 94;
  freq.y = 70;
  freq.w = 20;
  freq.h = 34;
  freq.gap = 8;
  freq.style = 3;
  freq.stroke = 3.2;
  freq.tip = "Frequency in MHz";
  s.digits.push_back(freq);

  const int col = 218;
  AddLabel(s, 42, {col, 61, 160, 18}, kTitleText, 10, "DejaVu Sans:B", "Harbour Jazz");

  DigitDisplay preset;
  preset.n = 10;
  preset.x = col + 38;
  preset.y = 82;
  preset.w = 10;
  preset.h = 16;
  preset.gap = 4;
  preset.style = -2;
  preset.stroke = 1.6;
  preset.tip = "Preset number";
  s.digits.push_back(preset);
  AddLight(s, 1, {332, 87, 7, 7}, kAmber, 3);

  AddLabel(s, 41, {col + 28, 101, 40, 13}, kLcdText, 7, "DejaVu Sans", "101.1");
  AddLabel(s, 43, {col + 88, 101, 28, 13}, kLcdText, 7, "DejaVu Sans", "005");
  AddLabel(s, 8, {338, 101, 40, 13}, kCoral, 7, "DejaVu Sans:B", "Mute");
}

// The tuning scale with slider 6's pointer travelling along its rail, then the tuning,
// preset and volume keys and the typed number with its Go key.
void Tuning(Skin& s) {
  // The pointer stands across the whole scale; its sides show the scale's ground, so
  // the marks it passes hide under it.
  s.radio.dial = {14, 124, 372, 34};
  Slider tune;
  tune.n = 6;
  tune.x = 26;
  tune.y = 126;
  tune.kw = 9;
  tune.kh = 30;
  tune.w = 341;
  tune.tip = "Drag to tune";
  tune.look = KnobLook::Needle;
  s.sliders.push_back(tune);

  const int y = 164;
  const int key = 28;
  Add(s, 80, {14, y, key, key}, "Z", "Scan down to the next station", ButtonLook::Transport,
      Icon::ScanDown);
  Add(s, 82, {46, y, key, key}, "X", "Tune down 0.1 MHz", ButtonLook::Transport, Icon::StepDown);
  Add(s, 83, {78, y, key, key}, "C", "Tune up 0.1 MHz", ButtonLook::Transport, Icon::StepUp);
  Add(s, 81, {110, y, key, key}, "V", "Scan up to the next station", ButtonLook::Transport,
      Icon::ScanUp);
  Add(s, 84, {150, y, key, key}, "B", "Previous preset", ButtonLook::Transport, Icon::Prev);
  Add(s, 85, {182, y, key, key}, "N", "Next preset", ButtonLook::Transport, Icon::Next);

  Add(s, 9, {222, y + 2, 24, 24}, "M", "Mute", ButtonLook::Transport, Icon::Mute);
  Add(s, 7, {250, y + 7, 14, 14}, "-", "Volume down", ButtonLook::Mini, Icon::Minus);
  Add(s, 8, {266, y + 7, 14, 14}, "=", "Volume up", ButtonLook::Mini, Icon::Plus);

  // A number typed on the keyboard shows in label 23; Go (or Enter) tunes to it, or picks
  // the preset of that number below 88.
  s.radio.typed = {290, y + 3, 56, 22};
  AddLabel(s, 23, {294, y + 7, 48, 14}, kLcdText, 8, "DejaVu Sans:B", "101.1");
  Add(s, 39, {350, y + 2, 36, 24}, "\\013", "Go to the typed frequency, or the preset below 88",
      ButtonLook::Toggle, Icon::None, "GO");
  for (int digit = 0; digit <= 9; ++digit) {
    static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    Add(s, 40 + digit, {}, kDigits[digit], "~", ButtonLook::Tool, Icon::None);
  }
  Add(s, 50, {}, ".", "~", ButtonLook::Tool, Icon::None);
}

// The preset list with the station-name entry under it; beside them the ten preset keys,
// the store keys and the list's tools.
void Presets(Skin& s) {
  const int top = kPresetsTop + 10;
  s.radio.listFrame = {14, top, 196, 82};
  AddList(s, 6, {16, top + 2, 192, 78},
          "Presets: click to name a station, double-click to tune to it");

  const int entryTop = top + 88;
  s.radio.entryFrame = {14, entryTop, 196, 20};
  AddEntry(s, 1, {16, entryTop + 2, 192, 16}, "Harbour Jazz", "Edit station  name");

  // The keys fill the column from 222 to 384 in every row.
  const int col = 222;
  for (int i = 0; i < 10; ++i) {
    static const char* const kTips[] = {"Preset 1", "Preset 2", "Preset 3", "Preset 4",
                                        "Preset 5", "Preset 6", "Preset 7", "Preset 8",
                                        "Preset 9", "Preset 10"};
    static const char* const kCaptions[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    Add(s, 91 + i, {col + (i % 5) * 33, top + (i / 5) * 24, 30, 20}, "none", kTips[i],
        ButtonLook::Preset, Icon::None, kCaptions[i]);
  }
  const int storeTop = top + 56;
  Add(s, 106, {col, storeTop, 80, 20}, "R", "MEM: the next preset key stores the frequency",
      ButtonLook::Toggle, Icon::None, "MEM");
  Add(s, 90, {col + 83, storeTop, 79, 20}, "S", "Store the frequency in the current preset",
      ButtonLook::Toggle, Icon::None, "STORE");

  Add(s, 86, {col, entryTop, 39, 20}, "A", "Add the frequency to the presets", ButtonLook::Tool,
      Icon::Add);
  Add(s, 87, {col + 41, entryTop, 39, 20}, "D", "Delete the selected preset", ButtonLook::Tool,
      Icon::Remove);
  Add(s, 89, {col + 82, entryTop, 39, 20}, "none", "Move the selected preset up", ButtonLook::Tool,
      Icon::MoveUp);
  Add(s, 88, {col + 123, entryTop, 39, 20}, "none", "Move the selected preset down",
      ButtonLook::Tool, Icon::MoveDown);
}

// The glyph strips in rows of their own, the knob beside the smaller one, then the
// pressed images; the bitmap is as wide as the widest strip.
void LayOutResources(Skin& s) {
  DigitDisplay& freq = s.digit(9);
  DigitDisplay& preset = s.digit(10);
  const int width = 14 * freq.w;
  freq.sx = 0;
  freq.sy = 0;
  preset.sx = 0;
  preset.sy = freq.h + 2;
  Slider& tune = s.sliders.front();
  tune.sx = 14 * preset.w + 4;
  tune.sy = preset.sy;
  DigitDisplay& text = s.digit(6);
  text.sx = 0;
  text.sy = preset.sy + (preset.h > tune.kh ? preset.h : tune.kh) + 2;
  const int y = text.sy + kGridRows * text.h + 2;
  s.resWidth = std::max(width, kGridColumns * text.w);
  s.resHeight = PackPressedImages(s, y, width);
}

}  // namespace

Skin FmSkin() {
  Skin s = GraphiteSkin(
      SkinKind::Radio, "fm", "Varlo Graphite FM: the radio, with a tuning dial and ten presets",
      "Scan, step or drag the dial; type a frequency and press Enter; MEM then a preset key "
      "stores the station. T hides the presets, W folds the radio to the header.",
      kWidth, kHeight, kTunerBottom, kHeaderBottom);
  s.radio.tuner = {0, kTunerTop, kWidth, kTunerBottom - kTunerTop};
  s.radio.presets = {0, kPresetsTop, kWidth, kHeight - kPresetsTop};

  Header(s);
  Display(s);
  Tuning(s);
  Presets(s);
  LayOutResources(s);
  return s;
}

int DialX(const Slider& tune, double mhz) {
  const double value = (mhz - kBandLow) / (kBandHigh - kBandLow);
  return tune.x + static_cast<int>(tune.w * value) + tune.kw / 2;
}

}  // namespace skingen
