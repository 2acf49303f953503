#include "skin/animation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace varlo {
namespace {

// Animation 2 at (30, 40): a grid of 2 rows by 3 columns of 10 x 6 frames at (200, 100),
// moving on every second tick.
SkinForm GridForm() {
  SkinForm form;
  form.anim[2].visible = true;
  AnimRecord& a = form.tables.anims[2];
  a.x = 30, a.y = 40, a.sx = 200, a.sy = 100, a.w = 10, a.h = 6;
  a.a1 = 2, a.a2 = 3, a.a3 = 2;
  return form;
}

// The (row, column) of the frame shown.
std::pair<int, int> Frame(const SkinForm& form) {
  const Blit& f = form.animFrames[2];
  EXPECT_EQ(f.w, 10);
  EXPECT_EQ(f.dx, 30);
  EXPECT_EQ(f.dy, 40);
  return {(f.sy - 100) / 6, (f.sx - 200) / 10};
}

TEST(AnimStep, RunningCyclesEveryFrameButTheRestingOne) {
  SkinForm form = GridForm();
  int notes = 0;
  form.onChange = [&](unsigned bits) {
    EXPECT_EQ(bits, kChangeAnimation);
    ++notes;
  };
  AnimStep(form, 2);  // first tick: still counting
  EXPECT_EQ(form.animFrames[2].w, 0);
  AnimStep(form, 2);
  EXPECT_EQ(Frame(form), std::pair(0, 0));
  EXPECT_EQ(notes, 1);

  form.tables.anims[2].running = true;
  const std::vector<std::pair<int, int>> cycle{{0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}};
  for (int round = 0; round < 3; ++round)
    for (const auto& expected : cycle) {
      AnimStep(form, 2);
      AnimStep(form, 2);
      EXPECT_EQ(Frame(form), expected) << "round " << round;
    }
  EXPECT_EQ(notes, 16);

  form.tables.anims[2].running = false;
  AnimStep(form, 2);
  AnimStep(form, 2);
  EXPECT_EQ(Frame(form), std::pair(0, 0));
  AnimStep(form, 2);
  AnimStep(form, 2);  // resting frame again: nothing new to paint
  EXPECT_EQ(notes, 17);
}

TEST(AnimStep, HiddenAndOutOfRangeAnimationsStayStill) {
  SkinForm form = GridForm();
  form.tables.anims[2].a3 = 0;  // no wait: every tick moves on
  form.tables.anims[2].running = true;
  AnimStep(form, 2);
  EXPECT_EQ(Frame(form), std::pair(0, 1));

  form.anim[2].visible = false;
  AnimStep(form, 2);
  EXPECT_EQ(Frame(form), std::pair(0, 1));
  EXPECT_EQ(form.tables.anims[2].ticks, 0);

  AnimStep(form, 5);
  AnimStep(form, 0);
  ClearAnimFrames(form);
  EXPECT_EQ(form.animFrames[2], Blit{});
}

}  // namespace
}  // namespace varlo
