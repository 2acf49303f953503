// What the layouts of the bundled skins share: the label text palette and the helpers
// that add elements.
#pragma once

#include "tools/skingen/layout.h"

namespace skingen::layout_parts {

// Palette of the label texts; the art's own colours live with the painter.
inline constexpr Rgb kTitleText{236, 242, 246};
inline constexpr Rgb kLcdText{110, 206, 190};
inline constexpr Rgb kLcdDim{92, 140, 136};
inline constexpr Rgb kPanelText{150, 166, 180};
inline constexpr Rgb kListText{200, 212, 222};
inline constexpr Rgb kListBack{14, 18, 23};

inline constexpr Rgb kTeal{45, 212, 191};
inline constexpr Rgb kAmber{246, 180, 72};
inline constexpr Rgb kCoral{242, 102, 92};
inline constexpr Rgb kSky{96, 170, 250};

// A skin of the Graphite family: its kind, file "<stem>.skin" with bitmaps "<stem>_main.bmp"
// and "<stem>_res.bmp", the description and info line, the window size with the alternate
// size ending at `middleBottom` and the small one at the header's bottom.
Skin GraphiteSkin(SkinKind kind, const char* stem, const char* description, const char* info,
                  int width, int height, int middleBottom, int headerBottom);

// Adds a button and returns it.
Button& Add(Skin& s, int code, Rect r, const char* key, const char* tip, ButtonLook look, Icon icon,
            const char* caption = "");
void AddLabel(Skin& s, int n, Rect r, Rgb colour, int size, const char* font, const char* sample);
void AddLight(Skin& s, int n, Rect r, Rgb colour, int shape);
// A list area of the graphite look: light text on the dark well, 8-point DejaVu Sans.
void AddList(Skin& s, int n, Rect r, const char* tip);
// A text entry on its white frame, 8-point DejaVu Sans.
void AddEntry(Skin& s, int n, Rect r, const char* sample, const char* tip);

}  // namespace skingen::layout_parts
