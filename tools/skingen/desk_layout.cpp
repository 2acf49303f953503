// The desk tools: the calculator (a display panel above a keypad and the conversion list)
// and the notepad (one text panel with its four tools). Both have the player's header,
// with links to the player and to each other.
#include <string>

#include "tools/skingen/layout.h"
#include "tools/skingen/layout_parts.h"

namespace skingen {

namespace {

using namespace layout_parts;

constexpr int kHeaderBottom = 40;
constexpr int kResWidth = 400;

// The header's controls, right-aligned as in the player's header: the two links, then
// skins, preferences, the compact window, hide and close.
void DeskHeader(Skin& s, const char* otherTip, Icon otherIcon, const char* otherSkin) {
  const int y = 12;
  const int size = 16;
  const int right = s.width - 34;
  Add(s, 1001, {right - 152, y, size, size}, "U", "Player", ButtonLook::Window, Icon::Note).link =
      "default.skin";
  Add(s, 1002, {right - 130, y, size, size}, "J", otherTip, ButtonLook::Window, otherIcon).link =
      otherSkin;
  Add(s, 6, {right - 88, y, size, size}, "K", "Choose a skin", ButtonLook::Window, Icon::Skin);
  Add(s, 5, {right - 68, y, size, size}, "P", "Preferences", ButtonLook::Window, Icon::Prefs);
  Add(s, 4, {right - 40, y, size, size}, "W", "Compact window", ButtonLook::Window, Icon::Small);
  Add(s, 2, {right - 20, y, size, size}, "none", "Hide to the tray", ButtonLook::Window,
      Icon::Hide);
  Add(s, 1, {right, y, size, size}, "none", "Close Varlo", ButtonLook::Window, Icon::Close);
}

void CommonParts(Skin& s) {
  s.background = {30, 35, 42};
  s.transparent = {255, 0, 255};
  s.panels.header = {0, 0, s.width, kHeaderBottom};
  s.sizes[0] = {0, 0, s.width, s.height};
  s.sizes[2] = {0, 0, s.width, kHeaderBottom};
}

struct Key {
  int code;
  const char* caption;
  const char* key;
  const char* tip;
  int span;  // columns the key takes
};

}  // namespace

Skin CalculatorSkin() {
  Skin s;
  s.kind = SkinKind::Calculator;
  s.file = "calculator.skin";
  s.description = "Varlo Graphite Calculator: a pocket calculator with unit conversion";
  s.info = {
      "Type with the keys or the keyboard; the list converts the display forward (CVT) or "
      "back (BACK); LOAD adds a conversion file (.ccf). W folds the calculator to its display.",
      "Drawn from code by varlo-skingen; edit the generator, not the bitmaps."};
  s.width = 360;
  s.height = 322;
  s.mainBitmap = "calculator_main.bmp";
  s.resBitmap = "calculator_res.bmp";
  CommonParts(s);
  s.panels.deck = {0, 46, s.width, 70};
  s.panels.playlist = {0, 122, s.width, s.height - 122};
  s.sizes[1] = {0, 0, s.width, s.panels.deck.bottom()};
  DeskHeader(s, "Notepad", Icon::Page, "notepad.skin");

  // The display: the entry or result in large type, the conversion in use under it.
  s.lcd = {14, 56, 332, 50};
  AddLabel(s, 23, {24, 60, 312, 26}, kTitleText, 16, "DejaVu Sans Mono:B", "-1234567.891234");
  AddLabel(s, 27, {24, 88, 312, 14}, kLcdText, 7, "DejaVu Sans", "km to mi");

  static const Key kKeys[] = {
      {63, "MC", "none", "Memory clear", 1},
      {65, "MR", "R", "Memory recall", 1},
      {64, "MS", "S", "Memory store", 1},
      {66, "M+", "A", "Memory add", 1},
      {61, "C", "C", "Clear", 1},
      {47, "7", "7", "~", 1},
      {48, "8", "8", "~", 1},
      {49, "9", "9", "~", 1},
      {54, "/", "/", "Divide", 1},
      {62, "CE", "E", "Clear the entry", 1},
      {44, "4", "4", "~", 1},
      {45, "5", "5", "~", 1},
      {46, "6", "6", "~", 1},
      {53, "X", "X", "Multiply", 1},
      {60, "DEL", "\\008", "Remove the last character", 1},
      {41, "1", "1", "~", 1},
      {42, "2", "2", "~", 1},
      {43, "3", "3", "~", 1},
      {52, "-", "-", "Subtract", 1},
      {58, "SQRT", "Q", "Square root", 1},
      {40, "0", "0", "~", 1},
      {50, ".", ".", "~", 1},
      {56, "+/-", "N", "Change the sign", 1},
      {51, "+", "+", "Add", 1},
      {59, "1/X", "I", "Reciprocal", 1},
      {57, "%", "%", "Percent of the first number", 1},
      {55, "=", "=", "Result", 4},
  };
  const int keyW = 40;
  const int keyH = 24;
  int col = 0;
  int row = 0;
  for (const Key& k : kKeys) {
    const int w = k.span * keyW + (k.span - 1) * 6;
    Add(s, k.code, {14 + col * 46, 134 + row * 30, w, keyH}, k.key, k.tip, ButtonLook::Preset,
        Icon::None, k.caption);
    col += k.span;
    if (col >= 5) {
      col = 0;
      ++row;
    }
  }
  // Enter gives the result too.
  Add(s, 55, {}, "\\013", "~", ButtonLook::Tool, Icon::None);

  // The conversions at the right of the keypad.
  s.listFrame = {252, 134, 94, 114};
  ListArea list;
  list.n = 5;
  list.r = {254, 136, 90, 110};
  list.text = kListText;
  list.back = kListBack;
  list.size = 7;
  list.font = "DejaVu Sans";
  list.tip = "Conversions: click the one to use";
  s.areas.push_back(list);
  Add(s, 67, {252, 254, 44, 24}, "F", "Convert the display", ButtonLook::Toggle, Icon::None, "CVT");
  Add(s, 68, {302, 254, 44, 24}, "B", "Convert the display back", ButtonLook::Toggle, Icon::None,
      "BACK");
  Add(s, 69, {252, 284, 94, 24}, "L", "Load a conversion file", ButtonLook::Toggle, Icon::None,
      "LOAD");

  s.resWidth = kResWidth;
  s.resHeight = PackPressedImages(s, 2, kResWidth);
  return s;
}

Skin NotepadSkin() {
  Skin s;
  s.kind = SkinKind::Notepad;
  s.file = "notepad.skin";
  s.description = "Varlo Graphite Notepad: a page for notes, saved as text and printed";
  s.info = {"OPEN loads a text file, SAVE writes the note, CLEAR empties it, PRINT prints it.",
            "Drawn from code by varlo-skingen; edit the generator, not the bitmaps."};
  s.width = 400;
  s.height = 326;
  s.mainBitmap = "notepad_main.bmp";
  s.resBitmap = "notepad_res.bmp";
  CommonParts(s);
  s.panels.deck = {0, 46, s.width, s.height - 46};
  s.sizes[1] = {0, 0, s.width, kHeaderBottom};
  DeskHeader(s, "Calculator", Icon::Keypad, "calculator.skin");

  s.listFrame = {14, 56, 372, 226};
  ListArea text;
  text.n = 2;
  text.r = {16, 58, 368, 222};
  text.text = kListText;
  text.back = kListBack;
  text.size = 9;
  text.font = "DejaVu Sans";
  text.tip = "~";
  s.areas.push_back(text);

  const int y = 292;
  Add(s, 76, {14, y, 80, 22}, "O", "Open a text file", ButtonLook::Toggle, Icon::None, "OPEN");
  Add(s, 77, {100, y, 80, 22}, "S", "Save the note", ButtonLook::Toggle, Icon::None, "SAVE");
  Add(s, 78, {186, y, 80, 22}, "none", "Clear the note", ButtonLook::Toggle, Icon::None, "CLEAR");
  Add(s, 79, {306, y, 80, 22}, "R", "Print the note", ButtonLook::Toggle, Icon::None, "PRINT");

  s.resWidth = kResWidth;
  s.resHeight = PackPressedImages(s, 2, kResWidth);
  return s;
}

}  // namespace skingen
