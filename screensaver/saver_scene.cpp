#include "screensaver/saver_scene.h"

#include "skin/digit_display.h"

namespace varlo {
namespace {

// The size the labels are centred by when a skin has no main bitmap.
constexpr int kNoBitmapWidth = 640, kNoBitmapHeight = 480;

void AddDigits(SaverScene& scene, const SaverSkin& skin, int n, const SaverClock& clock) {
  const SaverDigit& d = skin.digits[static_cast<std::size_t>(n)];
  if (!d.shown) return;
  const std::string value = n == 11 ? clock.Seconds() : "0";
  const std::string text = SaverDigitText(d.rec.style, value, clock.Now(), clock.TwelveHour());
  DigitRecord rec = d.rec;
  rec.d1 = 0;  // the saver has numeric strips only
  DigitBlits cells;
  LayoutDigitCells(rec, text, d.x, d.y, cells);
  for (const Blit& b : cells) {
    if (b.dx + b.w > d.x + d.width) break;
    scene.blits.push_back(b);
  }
}

}  // namespace

void SaverAnimations::Reset() {
  ticks_ = {};
  frames_ = {};
}

bool SaverAnimations::Tick(const SaverSkin& skin) {
  bool changed = false;
  for (std::size_t n = 1; n <= 2; ++n) {
    const SaverAnim& a = skin.anims[n];
    if (!a.shown || ++ticks_[n] < a.rec.a3) continue;
    ticks_[n] = 0;
    const int frames = a.rec.a1 * a.rec.a2;
    const int next = frames > 0 ? (frames_[n] + 1) % frames : 0;
    changed = changed || next != frames_[n];
    frames_[n] = next;
  }
  return changed;
}

SaverScene BuildSaverScene(const SaverSkin& skin, int width, int height, int mainWidth,
                           int mainHeight, const SaverClock& clock,
                           const SaverAnimations& animations) {
  SaverScene scene;
  const bool bitmap = mainWidth > 0 && mainHeight > 0;
  scene.mainX = (width - (bitmap ? mainWidth : kNoBitmapWidth)) / 2;
  scene.mainY = (height - (bitmap ? mainHeight : kNoBitmapHeight)) / 2;

  const SaverCover& c = skin.cover;
  scene.cover = c.shown;
  scene.coverPlace = {c.x, c.y, c.w, c.h};
  for (int n = 1; n <= 2; ++n) {
    const SaverAnim& a = skin.anims[static_cast<std::size_t>(n)];
    if (!a.shown) continue;
    const int frame = animations.Frame(n);
    const int column = frame % a.rec.a1, row = frame / a.rec.a1;
    scene.blits.push_back({a.rec.sx + column * a.rec.w, a.rec.sy + row * a.rec.h, a.rec.w, a.rec.h,
                           a.rec.x, a.rec.y});
  }
  AddDigits(scene, skin, 3, clock);
  AddDigits(scene, skin, 11, clock);

  for (int n = 1; n <= 9; ++n) {
    const SaverLabel& l = skin.labels[static_cast<std::size_t>(n)];
    if (!l.shown) continue;
    std::string caption;
    if (n == 3) caption = clock.TimeText();
    if (n == 6) caption = clock.Day().date;
    if (n == 7) caption = clock.Day().dayName;
    if (caption.empty()) continue;
    scene.texts.push_back({{l.x + scene.mainX, l.y + scene.mainY, l.w, l.h},
                           std::move(caption),
                           l.colour,
                           l.font,
                           n == 1});
  }
  return scene;
}

}  // namespace varlo
