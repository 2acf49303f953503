// Paints a bundled skin's two bitmaps from its layout, and previews of the window as the
// player would show it, for checking the art.
#pragma once

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "tools/skingen/layout.h"

namespace skingen {

struct Bitmaps {
  QImage main;      // window background, outside painted in the transparency colour
  QImage resource;  // glyphs, frames, knobs and pressed buttons
};

Bitmaps PaintSkin(const Skin& skin);

// What the preview shows: texts, values and which buttons are pressed.
struct PreviewState {
  std::string time = "01:23";
  std::string track = "07";
  std::string name = "NORTHERN LIGHTS";
  std::vector<int> lightsOn;  // light numbers
  std::vector<int> pressed;   // command codes of pressed buttons
  int hovered = 0;            // command code of a button with the hover border
  double seek = 0.3;
  double volume = 0.8;
  double balance = 0.5;
  int frame = 0;             // animation frame, row-major, 0 = resting
  bool playlistRows = true;  // fill the list and cover with samples
};

QImage Preview(const Skin& skin, const Bitmaps& bitmaps, const PreviewState& state);

// What the radio's preview shows.
struct RadioPreviewState {
  std::string frequency = "101.1";  // display 9, as the player formats it ("000.0", zeros blank)
  std::string preset = "03";        // display 10
  double tuning = (101.1 - 87) / 21;
  std::vector<int> lightsOn;
  std::vector<int> pressed;
  int hovered = 0;
  std::vector<std::pair<int, std::string>> labels;  // texts instead of the labels' samples
  std::vector<std::string> presets;                 // rows of the preset list
  int selected = -1;                                // its selected row
  std::string entry;                                // the station-name entry's text
};

QImage RadioPreview(const Skin& skin, const Bitmaps& bitmaps, const RadioPreviewState& state);

}  // namespace skingen
