// The clock: a header like the player's with the way back to it, a display panel with the
// time in large digits and the date, and a stopwatch panel with the ten timers and their keys.
// The screen saver's skin: one wide display panel with the time, the seconds and the date,
// and a picture frame.
#include <algorithm>

#include "tools/skingen/layout.h"
#include "tools/skingen/layout_parts.h"

namespace skingen {

namespace {

using namespace layout_parts;

constexpr int kWidth = 400;
constexpr int kHeaderBottom = 40;
constexpr int kFaceTop = 46;
constexpr int kFaceBottom = 134;
constexpr int kTimersTop = 140;
constexpr int kHeight = 290;

void Header(Skin& s) {
  const int y = 12;
  const int size = 16;
  const int right = kWidth - 34;
  Add(s, 1001, {right - 132, y, size, size}, "U", "Player", ButtonLook::Window, Icon::Note).link =
      "default.skin";
  Add(s, 6, {right - 88, y, size, size}, "K", "Choose a skin", ButtonLook::Window, Icon::Skin);
  Add(s, 5, {right - 68, y, size, size}, "P", "Preferences", ButtonLook::Window, Icon::Prefs);
  Add(s, 4, {right - 40, y, size, size}, "W", "Compact window", ButtonLook::Window, Icon::Small);
  Add(s, 2, {right - 20, y, size, size}, "none", "Hide to the tray", ButtonLook::Window,
      Icon::Hide);
  Add(s, 1, {right, y, size, size}, "none", "Close Varlo", ButtonLook::Window, Icon::Close);
}

// The time as hh:mm:ss on display 3 with the AM/PM marker in label 9 beside it; under it the
// date and the sleep timer's minutes.
void Face(Skin& s) {
  s.lcd = {14, 56, 372, 68};
  DigitDisplay time;
  time.n = 3;
  time.x = 30;
  time.y = 62;
  time.w = 26;
  time.h = 40;
  time.gap = 10;
  time.style = 2;
  time.stroke = 3.6;
  time.tip = "The time";
  s.digits.push_back(time);
  AddLabel(s, 9, {30 + time.width() + 8, 64, 40, 16}, kTeal, 11, "DejaVu Sans:B", "PM");
  AddLabel(s, 6, {30, 104, 220, 16}, kLcdText, 9, "DejaVu Sans:B", "Wed Dec  9, 2026");
  // Label 29 shows the sleep timer's minutes (label 8 is the FM mute caption).
  AddLabel(s, 29, {324, 104, 40, 16}, kAmber, 9, "DejaVu Sans:B", "30");
}

// The current timer's number and time, the ten timers in two columns (a click starts or stops
// one), and the keys of the timer commands.
void Timers(Skin& s) {
  const int top = kTimersTop + 10;
  s.radio.listFrame = {14, top, 372, 96};
  AddLabel(s, 28, {24, top + 6, 40, 20}, kTeal, 12, "DejaVu Sans:B", " 1");
  AddLabel(s, 30, {70, top + 6, 120, 20}, kTitleText, 12, "DejaVu Sans:B", "00:12:41");
  for (int i = 0; i < 10; ++i) {
    static const char* const kSamples[] = {"00:12:41", "00:03:05", "01:00:00", "00:00:00",
                                           "00:00:00", "00:00:00", "00:00:00", "00:00:00",
                                           "00:00:00", "00:00:00"};
    AddLabel(s, 31 + i, {210 + (i / 5) * 88, top + 4 + (i % 5) * 18, 80, 16}, kLcdText, 8,
             "DejaVu Sans Mono", kSamples[i]);
  }
  const int keys = top + 40;
  Add(s, 72, {24, keys, 52, 22}, "S", "Start or stop the current timer", ButtonLook::Toggle,
      Icon::None, "START");
  Add(s, 74, {80, keys, 52, 22}, "L", "Lap: stop this timer and start the next", ButtonLook::Toggle,
      Icon::None, "LAP");
  Add(s, 73, {136, keys, 52, 22}, "R", "Reset the current timer", ButtonLook::Toggle, Icon::None,
      "RESET");
  Add(s, 71, {24, keys + 28, 28, 22}, "B", "Previous timer", ButtonLook::Transport, Icon::Prev);
  Add(s, 70, {56, keys + 28, 28, 22}, "N", "Next timer", ButtonLook::Transport, Icon::Next);
  Add(s, 75, {108, keys + 28, 80, 22}, "C", "Reset all timers", ButtonLook::Toggle, Icon::None,
      "CLEAR ALL");
}

void LayOutResources(Skin& s, int width) {
  DigitDisplay& time = s.digit(3);
  time.sx = 0;
  time.sy = 0;
  s.resWidth = width;
  s.resHeight = PackPressedImages(s, time.h + 2, width);
}

}  // namespace

Skin ClockSkin() {
  Skin s = GraphiteSkin(
      SkinKind::Clock, "clock", "Varlo Graphite Clock: the time, the date and ten stopwatch timers",
      "S starts or stops the current timer, L laps to the next, R resets it; click a timer to "
      "start or stop it. U goes back to the player.",
      kWidth, kHeight, kFaceBottom, kHeaderBottom);
  s.radio.tuner = {0, kFaceTop, kWidth, kFaceBottom - kFaceTop};
  s.radio.presets = {0, kTimersTop, kWidth, kHeight - kTimersTop};
  Header(s);
  Face(s);
  Timers(s);
  LayOutResources(s, 14 * s.digit(3).w);
  return s;
}

Skin SaverSkin() {
  // The plaque with the date and the time as text, which the saver centres on the screen.
  constexpr int kPlaqueWidth = 520;
  constexpr int kPlaqueHeight = 130;
  Skin s;
  s.kind = SkinKind::Screensaver;
  s.file = "VarloSS.skin";
  s.description = "Varlo Graphite Night: the screen saver's clock";
  s.info = {"Drawn from code by varlo-skingen; edit the generator, not the bitmaps.",
            "The date plaque sits in the middle of the screen, the clock in its top left corner."};
  s.width = kPlaqueWidth;
  s.height = kPlaqueHeight;
  for (Rect& size : s.sizes) size = {0, 0, kPlaqueWidth, kPlaqueHeight};
  s.mainBitmap = "VarloSS_main.bmp";
  s.resBitmap = "VarloSS_res.bmp";
  s.background = {6, 8, 11};
  s.transparent = {6, 8, 11};
  s.lcd = {16, 14, 488, 62};

  // On the plaque: the date, the day, and the time as text with its AM/PM marker.
  AddLabel(s, 6, {30, 28, 340, 34}, kTitleText, 20, "DejaVu Sans:B", "Wed Dec  9, 2026");
  AddLabel(s, 7, {382, 28, 110, 34}, kLcdText, 20, "DejaVu Sans:B", "Wed");
  AddLabel(s, 3, {30, 90, 180, 22}, kTeal, 12, "DejaVu Sans:B", "04:40 PM");

  // In the screen's top left corner, on the background colour: the time in large digits, the
  // seconds under a small equaliser, the chosen picture and a dot going round once a few
  // seconds.
  DigitDisplay time;
  time.n = 3;
  time.x = 48;
  time.y = 40;
  time.w = 64;
  time.h = 100;
  time.gap = 24;
  time.style = 1;
  time.stroke = 8;
  time.tip = "~";
  s.digits.push_back(time);
  DigitDisplay seconds;
  seconds.n = 11;
  seconds.x = 344;
  seconds.y = 104;
  seconds.w = 22;
  seconds.h = 36;
  seconds.gap = 8;
  seconds.style = -2;
  seconds.stroke = 3.4;
  seconds.tip = "~";
  s.digits.push_back(seconds);
  s.contents.push_back(ContentArea{1, {412, 40, 100, 100}});

  // Sixteen frames a tick each. The saver reads a1 as the frame columns and a2 as the rows:
  // square grids read alike.
  const auto animation = [&s](int n, Rect r, AnimLook look) {
    Animation a;
    a.n = n;
    a.x = r.x;
    a.y = r.y;
    a.w = r.w;
    a.h = r.h;
    a.rows = a.cols = 4;
    a.ticks = 1;
    a.tip = "~";
    a.look = look;
    s.animations.push_back(a);
  };
  animation(1, {352, 56, 28, 32}, AnimLook::Equaliser);
  animation(2, {528, 72, 36, 36}, AnimLook::Orbit);

  s.digit(3).sx = 0;
  s.digit(3).sy = 0;
  s.digit(11).sx = 0;
  s.digit(11).sy = time.h + 2;
  Animation& a1 = s.animations[0];
  a1.sx = 14 * seconds.w + 8;
  a1.sy = time.h + 2;
  Animation& a2 = s.animations[1];
  a2.sx = a1.sx + a1.cols * a1.w + 8;
  a2.sy = time.h + 2;
  s.resWidth = 14 * time.w;
  s.resHeight = time.h + 2 + std::max(a1.rows * a1.h, a2.rows * a2.h);
  return s;
}

}  // namespace skingen
