// Internet radio and the web browser. The radio: a display of the station, its state and
// title, the transport and the ten quick presets, then the station list with its edit box and
// tools. The browser: the navigation keys, the address entry and its history box, a row of
// ten link keys with their captions, and the page. Each links to the player and to the other.
#include <string>

#include "tools/skingen/layout.h"
#include "tools/skingen/layout_parts.h"

namespace skingen {

namespace {

using namespace layout_parts;

constexpr int kHeaderBottom = 40;

// The header's controls, right-aligned as in the desk tools' headers.
void WebHeader(Skin& s, const char* otherTip, Icon otherIcon, const char* otherSkin) {
  const int y = 12;
  const int size = 16;
  const int right = s.width - 34;
  Add(s, 1001, {right - 152, y, size, size}, "U", "Player", ButtonLook::Window, Icon::Note).link =
      "default.skin";
  Add(s, 1002, {right - 130, y, size, size}, "J", otherTip, ButtonLook::Window, otherIcon).link =
      otherSkin;
  Add(s, 3, {right - 108, y, size, size}, "T", "Show or hide the lower panel", ButtonLook::Window,
      Icon::Playlist);
  Add(s, 6, {right - 88, y, size, size}, "K", "Choose a skin", ButtonLook::Window, Icon::Skin);
  Add(s, 5, {right - 68, y, size, size}, "P", "Preferences", ButtonLook::Window, Icon::Prefs);
  Add(s, 4, {right - 40, y, size, size}, "W", "Compact window", ButtonLook::Window, Icon::Small);
  Add(s, 2, {right - 20, y, size, size}, "none", "Hide to the tray", ButtonLook::Window,
      Icon::Hide);
  Add(s, 1, {right, y, size, size}, "none", "Close Varlo", ButtonLook::Window, Icon::Close);
}

DigitDisplay Numeric(int n, int x, int y, int w, int h, int gap, int style, double stroke,
                     const char* tip) {
  DigitDisplay d;
  d.n = n;
  d.x = x;
  d.y = y;
  d.w = w;
  d.h = h;
  d.gap = gap;
  d.style = style;
  d.stroke = stroke;
  d.tip = tip;
  return d;
}

// The glyph strips in rows of their own, then the pressed images.
void LayOutResources(Skin& s, int width) {
  int y = 0;
  for (DigitDisplay& d : s.digits) {
    d.sx = 0;
    d.sy = y;
    y += d.h + 2;
  }
  // A pressed image at 0,0 reads as none: without glyph strips the images start lower.
  if (y == 0) y = 2;
  s.resWidth = width;
  s.resHeight = PackPressedImages(s, y, width);
}

}  // namespace

Skin WebRadioSkin() {
  constexpr int kWidth = 400;
  constexpr int kDeckTop = 46;
  constexpr int kDeckBottom = 196;
  constexpr int kListTop = 202;
  constexpr int kHeight = 340;
  Skin s = GraphiteSkin(
      SkinKind::WebRadio, "webradio",
      "Varlo Graphite Web Radio: internet stations with ten quick presets and a station list",
      "Double-click a station to play it; MEM then a preset key stores the station playing. "
      "Click a station to edit it in the box under the list and press Enter.",
      kWidth, kHeight, kDeckBottom, kHeaderBottom);
  s.panels.deck = {0, kDeckTop, kWidth, kDeckBottom - kDeckTop};
  s.panels.playlist = {0, kListTop, kWidth, kHeight - kListTop};
  WebHeader(s, "Web browser", Icon::Globe, "browser.skin");

  // The display: station and state on the left, the time played on the right; the stream's
  // title and its own name under them, the preset number at the bottom right.
  s.lcd = {14, 56, 372, 80};
  AddLabel(s, 60, {24, 60, 250, 18}, kTitleText, 10, "DejaVu Sans:B", "Harbour Jazz Radio");
  s.digits.push_back(Numeric(12, 300, 61, 14, 20, 6, 0, 2.2, "Time played"));
  AddLabel(s, 63, {24, 82, 130, 14}, kLcdText, 8, "DejaVu Sans:B", "Playing...");
  AddLight(s, 1, {160, 86, 7, 7}, kTeal, 3);
  AddLabel(s, 64, {196, 82, 30, 14}, kLcdText, 8, "DejaVu Sans", "128");
  AddLabel(s, 65, {330, 82, 30, 14}, kLcdText, 8, "DejaVu Sans", "12");
  AddLabel(s, 61, {24, 100, 352, 14}, kTitleText, 8, "DejaVu Sans", "Artist - Song Title");
  AddLabel(s, 62, {24, 118, 230, 14}, kLcdDim, 7, "DejaVu Sans", "Harbour Jazz 24/7");
  s.digits.push_back(Numeric(13, 304, 117, 9, 15, 4, -2, 1.5, "Preset number"));
  AddLabel(s, 67, {356, 118, 24, 14}, kLcdDim, 7, "DejaVu Sans", "3");

  // The transport, the preset steps and the store key, then the ten presets.
  const int y = 146;
  const int key = 28;
  Add(s, 147, {14, y, key, key}, "X", "Play the station again", ButtonLook::Transport, Icon::Play);
  Add(s, 148, {46, y, key, key}, "V", "Stop", ButtonLook::Transport, Icon::Stop);
  Add(s, 140, {86, y, key, key}, "B", "Previous preset", ButtonLook::Transport, Icon::Prev);
  Add(s, 141, {118, y, key, key}, "N", "Next preset", ButtonLook::Transport, Icon::Next);
  Add(s, 146, {156, y + 4, 54, 20}, "R", "MEM: the next preset key stores the station playing",
      ButtonLook::Toggle, Icon::None, "MEM");
  static const char* const kTips[] = {"Preset 1", "Preset 2", "Preset 3", "Preset 4", "Preset 5",
                                      "Preset 6", "Preset 7", "Preset 8", "Preset 9", "Preset 10"};
  static const char* const kCaptions[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  static const char* const kKeys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
  for (int i = 0; i < 10; ++i)
    Add(s, 130 + i, {222 + (i % 5) * 33, 144 + (i / 5) * 24, 30, 20}, kKeys[i], kTips[i],
        ButtonLook::Preset, Icon::None, kCaptions[i]);

  // The station list, its edit box and its tools.
  const int top = kListTop + 16;
  s.listFrame = {14, top, 240, 86};
  AddList(s, 8, {16, top + 2, 236, 82}, "Stations: click to edit, double-click to play");
  const int entryTop = top + 92;
  s.radio.entryFrame = {14, entryTop, 240, 20};
  AddEntry(s, 3, {16, entryTop + 2, 236, 16}, "Harbour Jazz @http://radio.example/jazz",
           "Station: name @address, Enter to keep");

  const int col = 266;
  Add(s, 142, {col, top, 58, 20}, "A", "Add a station", ButtonLook::Tool, Icon::Add);
  Add(s, 143, {col + 62, top, 58, 20}, "D", "Delete the selected station", ButtonLook::Tool,
      Icon::Remove);
  Add(s, 145, {col, top + 26, 58, 20}, "none", "Move the selected station up", ButtonLook::Tool,
      Icon::MoveUp);
  Add(s, 144, {col + 62, top + 26, 58, 20}, "none", "Move the selected station down",
      ButtonLook::Tool, Icon::MoveDown);

  LayOutResources(s, kWidth);
  return s;
}

Skin BrowserSkin() {
  constexpr int kWidth = 640;
  constexpr int kBarTop = 46;
  constexpr int kBarBottom = 116;
  constexpr int kPageTop = 122;
  constexpr int kHeight = 520;
  Skin s = GraphiteSkin(
      SkinKind::Browser, "browser", "Varlo Graphite Browser: web pages with ten link keys",
      "Type an address and press Enter, or pick one from the history box. MEM then a link key "
      "keeps the address in that key.",
      kWidth, kHeight, kBarBottom, kHeaderBottom);
  s.panels.deck = {0, kBarTop, kWidth, kBarBottom - kBarTop};
  s.panels.playlist = {0, kPageTop, kWidth, kHeight - kPageTop};
  WebHeader(s, "Web radio", Icon::WebRadio, "webradio.skin");
  AddLabel(s, 45, {130, 13, 300, 14}, kPanelText, 8, "DejaVu Sans", "Example Domain");

  // Navigation, the activity light, the address entry and its history, the store key.
  const int y = 54;
  const int key = 24;
  Add(s, 103, {14, y, key, key}, "none", "Back", ButtonLook::Transport, Icon::StepDown);
  Add(s, 104, {42, y, key, key}, "none", "Forward", ButtonLook::Transport, Icon::StepUp);
  Add(s, 102, {70, y, key, key}, "none", "Reload", ButtonLook::Transport, Icon::Reload);
  Add(s, 105, {98, y, key, key}, "none", "Stop loading", ButtonLook::Transport, Icon::Stop);
  Add(s, 101, {126, y, key, key}, "none", "Home page", ButtonLook::Transport, Icon::Home);
  AddLight(s, 1, {158, y + 9, 7, 7}, kAmber, 3);
  s.radio.entryFrame = {174, y + 1, 284, 22};
  Label address;
  address.n = 2;
  address.r = {176, y + 4, 280, 16};
  address.colour = {24, 30, 38};
  address.size = 8;
  address.font = "DejaVu Sans";
  address.sample = "http://example.org/";
  address.tip = "Address: type it and press Enter";
  s.entries.push_back(address);
  ListArea history;
  history.n = 7;
  history.r = {466, y + 1, 112, 22};
  history.text = kListText;
  history.back = kListBack;
  history.size = 8;
  history.font = "DejaVu Sans";
  history.tip = "Addresses visited, newest first";
  s.areas.push_back(history);
  Add(s, 106, {584, y + 2, 42, 20}, "none", "MEM: the next link key keeps the address",
      ButtonLook::Toggle, Icon::None, "MEM");

  // Ten link keys, each with its caption beside it.
  for (int i = 0; i < 10; ++i) {
    static const char* const kCaptions[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    static const char* const kTips[] = {"Link 1", "Link 2", "Link 3", "Link 4", "Link 5",
                                        "Link 6", "Link 7", "Link 8", "Link 9", "Link 10"};
    const int x = 14 + i * 61;
    Add(s, 110 + i, {x, 86, 22, 20}, "none", kTips[i], ButtonLook::Preset, Icon::None,
        kCaptions[i]);
    AddLabel(s, 50 + i, {x + 24, 89, 35, 14}, kPanelText, 7, "DejaVu Sans", "example");
  }

  // The page, and the status line under it.
  s.cover = {14, kPageTop + 8, kWidth - 28, 366};
  s.contents.push_back(ContentArea{2, {16, kPageTop + 10, kWidth - 32, 362}});
  AddLabel(s, 46, {18, kPageTop + 380, kWidth - 36, 14}, kPanelText, 7, "DejaVu Sans",
           "http://example.org/more");

  LayOutResources(s, kWidth);
  return s;
}

}  // namespace skingen
