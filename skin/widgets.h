#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/picture.h"

namespace varlo {

// A font as skins give it: a name with optional bold, italic and underline, and a size in
// points. The view falls back to "Arial" when the name is not installed.
struct FontSpec {
  std::string name = "Arial";
  int size = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// What every skin widget has: a place in the window (pixels), visibility and a tooltip.
struct SkinWidget {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = false;
  std::string tooltip;

  bool Contains(int x, int y) const {
    return visible && x >= left && y >= top && x < left + width && y < top + height;
  }
  void Place(int x, int y, int w, int h) {
    left = x;
    top = y;
    width = w;
    height = h;
  }
};

// A transparent hit area that carries the command code it hands to the dispatcher.
struct ButtonWidget : SkinWidget {
  std::int16_t code = 0;
  bool border = false;  // single-line highlight border
  bool opaque = false;  // drawn filled so the hot area shows
};

// A text label: caption, colours, font and alignment.
struct LabelWidget : SkinWidget {
  std::string caption;
  Colour foreColour = 0;
  Colour backColour = 0xFFFFFF;
  bool opaque = false;
  bool rightAligned = false;
  FontSpec font;
};

// A single-line text entry.
struct TextEntryWidget : LabelWidget {
  std::string text;
};

// Indicator light shapes.
enum class LightShape {
  Rectangle = 0,
  Square = 1,
  Oval = 2,
  Circle = 3,
  RoundedRectangle = 4,
  RoundedSquare = 5
};

struct IndicatorWidget : SkinWidget {
  Colour fill = 0;
  LightShape shape = LightShape::Rectangle;
};

// A picture widget showing a part of the resource bitmap (slider knobs, the pressed image).
struct PictureWidget : SkinWidget {
  int sourceX = 0;
  int sourceY = 0;
};

// A list, edit or combo area and the content areas: placed by the skin, drawn by real widgets.
struct AreaWidget : SkinWidget {
  Colour foreColour = 0;
  Colour backColour = 0xFFFFFF;
  FontSpec font;
};

// The index (1 or more) of the first visible widget of an array that holds the window point
// (x, y), or 0 when none does; element 0 of the arrays is never used.
template <typename Widgets>
int WidgetIndexAt(const Widgets& widgets, int x, int y) {
  for (std::size_t i = 1; i < widgets.size(); ++i)
    if (widgets[i].Contains(x, y)) return static_cast<int>(i);
  return 0;
}

}  // namespace varlo
