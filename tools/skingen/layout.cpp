#include "tools/skingen/layout.h"

#include <cstdlib>
#include <stdexcept>

#include "tools/skingen/layout_parts.h"

namespace skingen {

namespace layout_parts {

Button& Add(Skin& s, int code, Rect r, const char* key, const char* tip, ButtonLook look, Icon icon,
            const char* caption) {
  Button b;
  b.code = code;
  b.r = r;
  b.key = key;
  b.tip = tip;
  b.look = look;
  b.icon = icon;
  b.caption = caption;
  s.buttons.push_back(b);
  return s.buttons.back();
}

Skin GraphiteSkin(SkinKind kind, const char* stem, const char* description, const char* info,
                  int width, int height, int middleBottom, int headerBottom) {
  Skin s;
  s.kind = kind;
  s.file = std::string(stem) + ".skin";
  s.description = description;
  s.info = {info, "Drawn from code by varlo-skingen; edit the generator, not the bitmaps."};
  s.width = width;
  s.height = height;
  s.sizes[0] = {0, 0, width, height};
  s.sizes[1] = {0, 0, width, middleBottom};
  s.sizes[2] = {0, 0, width, headerBottom};
  s.mainBitmap = std::string(stem) + "_main.bmp";
  s.resBitmap = std::string(stem) + "_res.bmp";
  s.background = {30, 35, 42};
  s.transparent = {255, 0, 255};
  s.panels.header = {0, 0, width, headerBottom};
  return s;
}

void AddLabel(Skin& s, int n, Rect r, Rgb colour, int size, const char* font, const char* sample) {
  s.labels.push_back(Label{n, r, colour, size, font, sample});
}

void AddLight(Skin& s, int n, Rect r, Rgb colour, int shape) {
  s.lights.push_back(Light{n, r, colour, shape});
}

void AddList(Skin& s, int n, Rect r, const char* tip) {
  ListArea list;
  list.n = n;
  list.r = r;
  list.text = kListText;
  list.back = kListBack;
  list.size = 8;
  list.font = "DejaVu Sans";
  list.tip = tip;
  s.areas.push_back(list);
}

void AddEntry(Skin& s, int n, Rect r, const char* sample, const char* tip) {
  Label entry;
  entry.n = n;
  entry.r = r;
  entry.colour = {24, 30, 38};
  entry.size = 8;
  entry.font = "DejaVu Sans";
  entry.sample = sample;
  entry.tip = tip;
  s.entries.push_back(entry);
}

}  // namespace layout_parts

namespace {

using namespace layout_parts;

// Window and panels.
constexpr int kWidth = 480;
constexpr int kHeaderBottom = 40;
constexpr int kDeckTop = 46;
constexpr int kDeckBottom = 176;
constexpr int kListTop = 182;
constexpr int kListBottom = 300;
constexpr int kLyricTop = 306;
constexpr int kHeight = 386;

// Resource bitmap.
constexpr int kResWidth = 512;

void Header(Skin& s) {
  const int y = 12;
  const int size = 16;
  // The radio is one click away, in the same place its way back has in the radio's header.
  Add(s, 1001, {314, y, size, size}, "U", "FM radio", ButtonLook::Window, Icon::Radio).link =
      "fm.skin";
  // The desk tools left of the internet's two, which stand left of the radio.
  Add(s, 1002, {226, y, size, size}, "Q", "Calculator", ButtonLook::Window, Icon::Keypad).link =
      "calculator.skin";
  Add(s, 1003, {248, y, size, size}, "J", "Notepad", ButtonLook::Window, Icon::Page).link =
      "notepad.skin";
  // The clock sits left of them, the marquee making room for it.
  Add(s, 1004, {204, y, size, size}, "none", "Clock and timers", ButtonLook::Window, Icon::Clock)
      .link = "clock.skin";
  Add(s, 1005, {270, y, size, size}, "none", "Web radio", ButtonLook::Window, Icon::WebRadio).link =
      "webradio.skin";
  Add(s, 1006, {292, y, size, size}, "none", "Web browser", ButtonLook::Window, Icon::Globe).link =
      "browser.skin";
  Add(s, 3, {338, y, size, size}, "T", "Show or hide the playlist and lyrics", ButtonLook::Window,
      Icon::Playlist);
  Add(s, 6, {358, y, size, size}, "K", "Choose a skin", ButtonLook::Window, Icon::Skin);
  Add(s, 5, {378, y, size, size}, "P", "Preferences", ButtonLook::Window, Icon::Prefs);
  Add(s, 4, {406, y, size, size}, "W", "Compact window", ButtonLook::Window, Icon::Small);
  Add(s, 2, {426, y, size, size}, "none", "Hide to the tray", ButtonLook::Window, Icon::Hide);
  Add(s, 1, {446, y, size, size}, "none", "Close Varlo", ButtonLook::Window, Icon::Close);

  s.marquee = {104, 8, 92, 24};
  DigitDisplay name;
  name.n = 6;
  name.x = 110;
  name.y = 11;
  name.w = 12;
  name.h = 18;
  name.d1 = 1;
  name.style = 7;
  name.tip = "Now playing";
  s.digits.push_back(name);

  Animation eq;
  eq.n = 2;
  eq.x = 16;
  eq.y = 11;
  eq.w = 20;
  eq.h = 18;
  eq.rows = 2;
  eq.cols = 8;
  eq.ticks = 1;
  eq.tip = "~";
  s.animations.push_back(eq);
}

void Deck(Skin& s) {
  s.cover = {14, 58, 104, 104};
  s.contents.push_back(ContentArea{1, {16, 60, 100, 100}});
  s.lcd = {128, 58, 336, 58};

  // Transport state lights beside their printed symbols.
  AddLight(s, 4, {137, 66, 7, 7}, kTeal, 3);
  AddLight(s, 3, {137, 80, 7, 7}, kAmber, 5);
  AddLight(s, 2, {137, 94, 7, 7}, kCoral, 1);

  DigitDisplay time;
  time.n = 1;
  time.x = 162;
  time.y = 64;
  time.w = 15;
  time.h = 28;
  time.gap = 7;
  time.style = 0;
  time.stroke = 2.8;
  time.tip = "Position: click the time below to show the time left";
  s.digits.push_back(time);

  AddLabel(s, 1, {162, 97, 32, 13}, kLcdText, 7, "DejaVu Sans", "01:23");
  AddLabel(s, 13, {201, 97, 32, 13}, kLcdDim, 7, "DejaVu Sans", "4:05");

  AddLabel(s, 2, {250, 62, 206, 18}, kTitleText, 10, "DejaVu Sans:B", "Northern Lights");
  DigitDisplay track;
  track.n = 2;
  track.x = 270;
  track.y = 81;
  track.w = 10;
  track.h = 16;
  track.gap = 4;
  track.style = -2;
  track.stroke = 1.6;
  track.tip = "Track number";
  s.digits.push_back(track);
  AddLabel(s, 69, {296, 83, 34, 13}, kLcdDim, 7, "DejaVu Sans:B", "MP3");
  AddLabel(s, 26, {404, 83, 52, 13}, kLcdText, 7, "DejaVu Sans:B", "Media");
  // One lamp beside the source name, teal for media and amber for the disc.
  AddLight(s, 22, {396, 87, 5, 5}, kTeal, 3);
  AddLight(s, 21, {396, 87, 5, 5}, kAmber, 3);
  AddLabel(s, 10, {250, 99, 64, 13}, kLcdText, 7, "DejaVu Sans", "192 kbps");
  AddLabel(s, 11, {318, 99, 60, 13}, kLcdText, 7, "DejaVu Sans", "44100 Hz");
  AddLabel(s, 12, {382, 99, 74, 13}, kLcdText, 7, "DejaVu Sans", "Joint Stereo");
  // The disc's state and the look-up's progress, on the stream line, which CD mode leaves empty.
  AddLabel(s, 15, {250, 99, 206, 13}, kLcdText, 7, "DejaVu Sans", "");
  for (const char* stream : {"L10", "L11", "L12"}) s.turns.emplace_back("L15", stream);
  s.turns.emplace_back("I22", "I21");

  Slider seek;
  seek.n = 1;
  seek.x = 128;
  seek.y = 121;
  seek.kw = 14;
  seek.kh = 10;
  seek.w = 336 - seek.kw;
  seek.tip = "Drag to move through the song";
  s.sliders.push_back(seek);

  Add(s, 14, {128, 138, 28, 28}, "Z", "Previous track", ButtonLook::Transport, Icon::Prev);
  Add(s, 12, {162, 135, 34, 34}, "X", "Play", ButtonLook::Play, Icon::Play);
  Add(s, 11, {202, 138, 28, 28}, "C", "Pause", ButtonLook::Transport, Icon::Pause);
  Add(s, 10, {236, 138, 28, 28}, "V", "Stop", ButtonLook::Transport, Icon::Stop);
  Add(s, 15, {270, 138, 28, 28}, "B", "Next track", ButtonLook::Transport, Icon::Next);

  Add(s, 9, {312, 140, 24, 24}, "M", "Mute", ButtonLook::Transport, Icon::Mute);
  AddLight(s, 17, {338, 141, 5, 5}, kCoral, 3);

  Add(s, 7, {350, 148, 14, 14}, "-", "Volume down", ButtonLook::Mini, Icon::Minus);
  Add(s, 8, {450, 148, 14, 14}, "=", "Volume up", ButtonLook::Mini, Icon::Plus);
  AddLabel(s, 18, {432, 133, 32, 12}, kPanelText, 7, "DejaVu Sans", "80%");

  Slider volume;
  volume.n = 2;
  volume.x = 367;
  volume.y = 150;
  volume.kw = 10;
  volume.kh = 10;
  volume.w = 70;
  volume.tip = "Volume";
  s.sliders.push_back(volume);

  // The level bar sits under the volume track and ends under the knob's centre.
  Slider level;
  level.n = 4;
  level.x = volume.x + volume.kw / 2;
  level.y = 163;
  level.w = volume.w;
  level.kw = volume.w;
  level.kh = 3;
  level.tip = "~";
  level.look = KnobLook::Level;
  s.sliders.push_back(level);
}

void Playlist(Skin& s) {
  s.listFrame = {14, 192, 310, 98};
  AddList(s, 1, {16, 194, 306, 94}, "~");

  const int col = 336;
  const int row1 = 194;
  Add(s, 23, {col, row1, 24, 20}, "O", "Open files", ButtonLook::Tool, Icon::OpenFiles);
  Add(s, 24, {col + 26, row1, 24, 20}, "F", "Add a folder", ButtonLook::Tool, Icon::AddFolder);
  Add(s, 21, {col + 52, row1, 24, 20}, "L", "Load a playlist", ButtonLook::Tool, Icon::LoadList);
  Add(s, 22, {col + 78, row1, 24, 20}, "S", "Save the playlist", ButtonLook::Tool, Icon::SaveList);
  Add(s, 20, {col + 104, row1, 24, 20}, "D", "Clear the playlist", ButtonLook::Tool,
      Icon::ClearList);

  // Mode toggles: a light in a socket, then the pill.
  struct Mode {
    int code;
    const char* key;
    const char* tip;
    const char* caption;
    int light;
    Rgb colour;
    int shape;
  };
  const Mode modes[] = {
      {25, "I", "Intro: play the first seconds of each track", "INTRO", 5, kAmber, 2},
      {27, "R", "Repeat the track", "REPEAT", 7, kTeal, 4},
      {28, "H", "Shuffle", "SHUFFLE", 10, kTeal, 4},
      {30, "A", "A-B repeat: set A then B then clear", "A-B", 8, kSky, 0},
  };
  for (int i = 0; i < 4; ++i) {
    const int gx = col + (i % 2) * 66;
    const int gy = 220 + (i / 2) * 23;
    AddLight(s, modes[i].light, {gx, gy + 6, 6, 6}, modes[i].colour, modes[i].shape);
    Add(s, modes[i].code, {gx + 9, gy, 53, 18}, modes[i].key, modes[i].tip, ButtonLook::Toggle,
        Icon::None, modes[i].caption);
  }

  const int row4 = 267;
  Add(s, 13, {col, row4, 24, 20}, "E", "Eject the CD", ButtonLook::Tool, Icon::Eject);
  Add(s, 37, {col + 26, row4, 24, 20}, "G", "Switch between media and CD", ButtonLook::Tool,
      Icon::Source);
  AddLight(s, 19, {col + 55, row4 + 3, 5, 5}, kTeal, 3);
  AddLight(s, 20, {col + 55, row4 + 12, 5, 5}, kAmber, 3);

  Slider balance;
  balance.n = 3;
  balance.x = col + 76;
  balance.y = row4 + 9;
  balance.kw = 10;
  balance.kh = 10;
  balance.w = 128 - 76 - balance.kw;
  balance.tip = "Balance";
  s.sliders.push_back(balance);
}

// The lyric list at the left; at the right a display window with the previous line above
// and the next line below the current one, which a printed marker points at.
void Lyrics(Skin& s) {
  s.lyricFrame = {14, 316, 192, 60};
  ListArea list;
  list.n = 4;
  list.r = {16, 318, 188, 56};
  list.text = kListText;
  list.back = kListBack;
  list.size = 7;
  list.font = "DejaVu Sans";
  list.tip = "~";
  s.areas.push_back(list);

  s.lyricLcd = {214, 316, 250, 60};
  // The previous line stops short of the printed caption at the display's top right.
  AddLabel(s, 72, {226, 322, 190, 12}, kLcdDim, 7, "DejaVu Sans", "A window fills with paler sky");
  AddLabel(s, 70, {226, 337, 232, 15}, kTitleText, 8, "DejaVu Sans:B",
           "And night lets go without goodbye");
  AddLabel(s, 71, {226, 356, 232, 12}, kLcdDim, 7, "DejaVu Sans", "One bird tries a single note");
}

// Places the glyph strips, the animation frames, the knobs and, shelf by shelf, the
// pressed images in the resource bitmap.
void LayOutResources(Skin& s) {
  DigitDisplay& time = s.digit(1);
  time.sx = 0;
  time.sy = 0;
  DigitDisplay& track = s.digit(2);
  track.sx = 220;
  track.sy = 0;
  DigitDisplay& name = s.digit(6);
  name.sx = 0;
  name.sy = 30;  // 31 columns by 3 rows of 12 x 18

  int y = name.sy + 3 * name.h + 2;
  Animation& eq = s.animations.front();
  eq.sx = 0;
  eq.sy = y;
  int x = eq.cols * eq.w + 8;
  int shelf = eq.rows * eq.h;
  for (Slider& k : s.sliders) {
    k.sx = x;
    k.sy = y;
    x += k.kw + 4;
    if (k.kh > shelf) shelf = k.kh;
  }
  y += shelf + 4;
  s.resWidth = kResWidth;
  s.resHeight = PackPressedImages(s, y, kResWidth);
}

}  // namespace

int PackPressedImages(Skin& s, int y, int width) {
  int x = 0;
  int shelf = 0;
  for (Button& b : s.buttons) {
    if (b.keyOnly()) continue;
    if (x + b.r.w > width) {
      x = 0;
      y += shelf + 2;
      shelf = 0;
    }
    b.sx = x;
    b.sy = y;
    x += b.r.w + 2;
    if (b.r.h > shelf) shelf = b.r.h;
  }
  return y + shelf;
}

const char* KindWord(SkinKind kind) {
  switch (kind) {
    case SkinKind::Player:
      return "Player Karaoke";  // the player skin shows timed lyrics
    case SkinKind::Radio:
      return "Halvern";
    case SkinKind::Calculator:
      return "Calculator";
    case SkinKind::Notepad:
      return "Notepad";
    case SkinKind::Clock:
      return "Clock";
    case SkinKind::Screensaver:
      return "Screensaver";
    case SkinKind::WebRadio:
      return "WebRadio";
    case SkinKind::Browser:
      return "Browser";
  }
  return "Player";
}

int DigitDisplay::cells() const {
  if (d1 != 0) return std::abs(style);
  switch (style) {
    case 0:
    case 1:
    case 3:
      return 5;
    case 2:
      return 8;
    case 4:
      return 7;
    default:
      return std::abs(style);
  }
}

int DigitDisplay::width() const {
  if (d1 != 0) return w * std::abs(style);
  switch (style) {
    case 0:
    case 1:
    case 3:
      return 4 * w + gap;
    case 2:
      return 6 * w + 2 * gap;
    case 4:
      return 6 * w + gap;
    default:
      return w * std::abs(style);
  }
}

const ListArea& Skin::area(int n) const {
  for (const ListArea& x : areas)
    if (x.n == n) return x;
  throw std::out_of_range("no such list area");
}

const Label& Skin::label(int n) const {
  for (const Label& l : labels)
    if (l.n == n) return l;
  throw std::out_of_range("no such label");
}

const Slider& Skin::slider(int n) const {
  for (const Slider& k : sliders)
    if (k.n == n) return k;
  throw std::out_of_range("no such slider");
}

const DigitDisplay& Skin::digit(int n) const {
  for (const DigitDisplay& d : digits)
    if (d.n == n) return d;
  throw std::out_of_range("no such digit display");
}

DigitDisplay& Skin::digit(int n) {
  for (DigitDisplay& d : digits)
    if (d.n == n) return d;
  throw std::out_of_range("no such digit display");
}

Skin DefaultSkin() {
  Skin s;
  s.kind = SkinKind::Player;
  s.file = "default.skin";
  s.description = "Varlo Graphite: the default player, dark slate with a teal accent";
  s.info = {
      "Playlist, cover, timed lyrics and equaliser; T shows the deck alone, W folds it "
      "to the header.",
      "Drawn from code by varlo-skingen; edit the generator, not the bitmaps."};
  s.width = kWidth;
  s.height = kHeight;
  s.sizes[0] = {0, 0, kWidth, kHeight};
  s.sizes[1] = {0, 0, kWidth, kDeckBottom};
  s.sizes[2] = {0, 0, kWidth, kHeaderBottom};
  s.mainBitmap = "default_main.bmp";
  s.resBitmap = "default_res.bmp";
  s.background = {30, 35, 42};
  s.transparent = {255, 0, 255};
  s.panels.header = {0, 0, kWidth, kHeaderBottom};
  s.panels.deck = {0, kDeckTop, kWidth, kDeckBottom - kDeckTop};
  s.panels.playlist = {0, kListTop, kWidth, kListBottom - kListTop};
  s.panels.lyrics = {0, kLyricTop, kWidth, kHeight - kLyricTop};

  Header(s);
  Deck(s);
  Playlist(s);
  Lyrics(s);
  LayOutResources(s);
  return s;
}

}  // namespace skingen
