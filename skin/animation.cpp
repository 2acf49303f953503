#include "skin/animation.h"

namespace varlo {

void AnimStep(SkinForm& form, int n) {
  if (n < 1 || n > 4) return;
  const auto i = static_cast<std::size_t>(n);
  if (!form.anim[i].visible) return;
  AnimRecord& a = form.tables.anims[i];

  if (++a.ticks < a.a3) return;
  a.ticks = 0;
  if (!a.running) {
    a.row = 0;
    a.column = 0;
  } else if (++a.column >= a.a2) {
    a.column = 0;
    if (++a.row >= a.a1) {
      // Back to the first row, one past the resting frame.
      a.row = 0;
      a.column = 1;
    }
  }

  const Blit frame{a.sx + a.column * a.w, a.sy + a.row * a.h, a.w, a.h, a.x, a.y};
  if (frame == form.animFrames[i]) return;
  form.animFrames[i] = frame;
  form.Notify(kChangeAnimation);
}

void ClearAnimFrames(SkinForm& form) {
  form.animFrames.fill(Blit{});
}

}  // namespace varlo
