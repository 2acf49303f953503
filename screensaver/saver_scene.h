#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "screensaver/saver_clock.h"
#include "screensaver/saver_skin.h"
#include "skin/blit.h"

namespace varlo {

// The frames of the saver's two animations, each moving on every a3 ticks through its a1 by a2
// cells, column by column.
class SaverAnimations {
 public:
  void Reset();
  // One tick of the saver; true when a frame changed.
  bool Tick(const SaverSkin& skin);
  // The frame animation n (1-2) shows, counted from 0.
  int Frame(int n) const { return n >= 1 && n <= 2 ? frames_[static_cast<std::size_t>(n)] : 0; }

 private:
  std::array<int, 3> ticks_{};
  std::array<int, 3> frames_{};
};

struct SaverRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const SaverRect&) const = default;
};

// A label's text where the window shows it.
struct SaverText {
  SaverRect place;
  std::string text;
  std::uint32_t colour = 0;  // red + 256 green + 65536 blue
  FontSpec font;
  bool alignRight = false;
};

// What one window of the saver shows, in its own pixels, painted in this order: the
// background colour, the main bitmap, the picture, the resource cuts, the texts.
struct SaverScene {
  int mainX = 0, mainY = 0;  // where the main bitmap goes
  bool cover = false;        // the picture is shown in `coverPlace`
  SaverRect coverPlace;
  std::vector<Blit> blits;  // animation frames and digit cells, from the resource bitmap
  std::vector<SaverText> texts;
};

// The scene of a window `width` by `height` pixels. The main bitmap (`mainWidth` by
// `mainHeight`, or taken as 640 by 480 when there is none) is centred, and the labels move
// with it; digit displays, animations and the picture stay at the window coordinates the skin
// gives them, the rule saver skins are laid out for. A digit display shows only the cells that
// fit its width (the strips have no glyphs for the AM/PM marker).
SaverScene BuildSaverScene(const SaverSkin& skin, int width, int height, int mainWidth,
                           int mainHeight, const SaverClock& clock,
                           const SaverAnimations& animations);

}  // namespace varlo
