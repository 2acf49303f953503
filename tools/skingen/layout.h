// The bundled skins as data: every element with its window geometry and the places its
// images take in the resource bitmap. The painter draws from this and the skin file is
// written from it, so the art and the file cannot drift apart.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace skingen {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
};

// How a button is drawn; the icon says what is drawn on it.
enum class ButtonLook {
  Transport,  // rounded square, light icon
  Play,       // the big accent disc
  Window,     // small header control
  Tool,       // playlist tool, rounded rectangle
  Toggle,     // pill with a caption
  Mini,       // tiny minus/plus beside the volume slider
  Preset,     // small numbered key of the radio's preset row
};

enum class Icon {
  None,
  Play,
  Pause,
  Stop,
  Prev,
  Next,
  Eject,
  Mute,
  Minus,
  Plus,
  OpenFiles,
  AddFolder,
  LoadList,
  SaveList,
  ClearList,
  Source,
  Playlist,
  Skin,
  Prefs,
  Small,
  Hide,
  Close,
  Radio,     // "FM": the link to the radio skin
  Note,      // a note: the link back to the player
  Clock,     // a dial: the link to the clock skin
  ScanDown,  // double triangles: search for the next station
  ScanUp,
  StepDown,  // a chevron: one channel step
  StepUp,
  Add,
  Remove,
  MoveUp,
  MoveDown,
  Keypad,    // a calculator: the link to the calculator skin
  Page,      // a written page: the link to the notepad skin
  Globe,     // the link to the browser skin
  WebRadio,  // "WR": the link to the web-radio skin
  Reload,    // a circling arrow
  Home,      // a house
};

// A button with an empty rectangle is a hot key only: the loader gives it its key and
// command code but no place on the window, and it has no pressed image.
struct Button {
  int code = 0;
  Rect r;
  std::string key;  // one character, "\" and a three-digit code, or a four-letter "no key"
  std::string tip;
  std::string link;  // the skin a link button loads; code is then 1000 + its link slot
  ButtonLook look = ButtonLook::Transport;
  Icon icon = Icon::None;
  std::string caption;  // Toggle and Preset looks only
  int sx = 0;           // pressed image in the resource bitmap
  int sy = 0;
  bool keyOnly() const { return r.w < 1 || r.h < 1; }
};

// One strip of seven-segment cells (numeric display) or the dot-matrix grid.
struct DigitDisplay {
  int n = 0;
  int x = 0;
  int y = 0;
  int sx = 0;
  int sy = 0;
  int w = 0;  // cell width
  int h = 0;  // cell height
  int gap = 0;
  int d1 = 0;  // 0 numeric, 1 alphanumeric
  int d2 = 0;  // spacing between cells
  int style = 0;
  double stroke = 2;  // segment thickness of a numeric display
  std::string tip;
  int cells() const;  // how many cells the display shows
  int width() const;  // its width on the window
};

struct Label {
  int n = 0;
  Rect r;
  Rgb colour;
  int size = 8;
  std::string font;
  std::string sample;  // what the preview shows in it
  std::string tip = "~";
};

struct Light {
  int n = 0;
  Rect r;
  Rgb colour;
  int shape = 0;  // 0 rect, 1 square, 2 oval, 3 circle, 4 rounded rect, 5 rounded square
};

enum class KnobLook {
  Round,   // a pill with a teal dot
  Level,   // the level bar that grows with the volume
  Needle,  // the tuning dial's pointer
};

// Slider track and knob as the skin file gives them: x, y, w, h with h = 0 for a
// horizontal track, the knob image at sx, sy of size kw x kh.
struct Slider {
  int n = 0;
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  int sx = 0;
  int sy = 0;
  int kw = 0;
  int kh = 0;
  std::string tip;
  KnobLook look = KnobLook::Round;
};

enum class AnimLook {
  Equaliser,  // bars rising and falling
  Orbit,      // a dot going round a ring
};

struct Animation {
  int n = 0;
  int x = 0;
  int y = 0;
  int sx = 0;
  int sy = 0;
  int w = 0;
  int h = 0;
  int rows = 0;
  int cols = 0;
  int ticks = 0;
  std::string tip;
  AnimLook look = AnimLook::Equaliser;
};

struct ListArea {
  int n = 0;
  Rect r;
  Rgb text;
  Rgb back;
  int size = 8;
  std::string font;
  std::string tip;
};

struct ContentArea {
  int n = 0;
  Rect r;
};

// The four panels of the window, top to bottom. The window sizes crop the picture
// exactly at the bottom of a panel, so each size keeps rounded corners.
struct Panels {
  Rect header;
  Rect deck;
  Rect playlist;
  Rect lyrics;
};

// The frames the radio's painter draws around its elements.
struct RadioFrames {
  Rect tuner;    // panel of the displays, the dial and the tuning keys
  Rect presets;  // panel of the preset keys and the preset list
  Rect picture;  // frame around the station's picture
  Rect lcd;      // display window of the frequency and the station
  Rect dial;     // tuning scale behind slider 6
  Rect typed;    // well of the typed number, beside its Go key
  Rect listFrame;
  Rect entryFrame;  // bezel around the station-name entry
};

enum class SkinKind {
  Player,       // the default player
  Radio,        // the FM radio
  Calculator,   // the calculator with its conversion list
  Notepad,      // the notepad
  Clock,        // the clock and its stopwatches
  Screensaver,  // the screen saver's clock
  WebRadio,     // internet radio
  Browser,      // the web browser
};

// The smallest screen a screen-saver skin is laid out for. Its labels lie on the main bitmap,
// which the saver centres; its digit displays, animations and picture stay at these screen
// coordinates.
inline constexpr int kSaverScreenWidth = 800, kSaverScreenHeight = 600;

struct Skin {
  SkinKind kind = SkinKind::Player;
  std::string file;  // name of the skin file, beside its bitmaps
  std::string description;
  std::vector<std::string> info;
  int width = 0;
  int height = 0;
  Rect sizes[3];  // normal, alternate, small (w, h)
  std::string mainBitmap;
  std::string resBitmap;
  int placement = 5;
  int hover = 1;
  Rgb background;
  Rgb transparent;
  int resWidth = 0;
  int resHeight = 0;

  Panels panels;
  Rect lcd;      // the deck's display window
  Rect marquee;  // the header's dot-matrix slot
  Rect cover;    // frame around the cover area
  Rect listFrame;
  Rect lyricFrame;  // well around the lyric list
  Rect lyricLcd;    // display window of the previous, current and next lyric line

  std::vector<Button> buttons;
  std::vector<DigitDisplay> digits;
  std::vector<Label> labels;
  std::vector<Label> entries;  // text entries: placed like labels, the text is the user's
  std::vector<Light> lights;
  std::vector<Slider> sliders;
  std::vector<Animation> animations;
  std::vector<ListArea> areas;
  std::vector<ContentArea> contents;

  RadioFrames radio;  // the radio only
  // Pairs of elements ("L15", "L10") that take turns in one place: never shown together, so
  // the checker lets them overlap.
  std::vector<std::pair<std::string, std::string>> turns;

  const ListArea& area(int n) const;
  const Label& label(int n) const;
  const Slider& slider(int n) const;
  const DigitDisplay& digit(int n) const;
  DigitDisplay& digit(int n);
};

// The kind words the skin browser filters by, written after "Varlo Skin/".
const char* KindWord(SkinKind kind);

// The clock, with a link back to the default skin; the screen saver's skin.
Skin ClockSkin();
Skin SaverSkin();

// Builds the whole skin, with the resource bitmap laid out.
Skin DefaultSkin();

// The FM radio, with a link back to the default skin.
Skin FmSkin();

// Internet radio and the web browser, each with links to the player and to each other.
Skin WebRadioSkin();
Skin BrowserSkin();

// The calculator and the notepad, each with links to the player and to each other.
Skin CalculatorSkin();
Skin NotepadSkin();

// The column of the tuning pointer's middle when slider `tune` is tuned to `mhz`: the
// player puts the knob's left edge at x plus the whole part of w * value, with value 0 at
// 87.0 MHz and 1 at 108.0 MHz.
int DialX(const Slider& tune, double mhz);

// Packs the pressed images of the placed buttons, in order, shelf by shelf into rows of
// the given width starting at y; returns the bottom of the last shelf.
int PackPressedImages(Skin& s, int y, int width);

}  // namespace skingen
