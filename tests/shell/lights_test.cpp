#include <gtest/gtest.h>

#include "player/player_lights.h"
#include "shell/main_form.h"
#include "tests/support/fakes.h"

namespace varlo {

TEST(ShowLights, EachLightFollowsItsFlag) {
  SkinForm skin;
  testing::FakeDialogs dialogs;
  testing::FakeClock clock;
  AppSettings settings;
  SliderDrag drag;
  MainForm form(skin, dialogs, clock, settings, drag);
  SkinForm& f = skin;
  for (std::size_t i = 1; i <= 22; ++i) f.ind[i].Place(static_cast<int>(i), 0, 2, 2);
  f.ind[6].left = -1000;  // parked: this skin has no light 6
  PlayerState p;
  p.playing = true;
  p.repeat = true;
  p.rptB = 5;
  p.shuffle = true;
  p.mute = true;
  p.stp = true;
  int notifications = 0;
  skin.onChange = [&](unsigned) { ++notifications; };
  ShowLights(form, p);
  EXPECT_LE(notifications, 2);  // the lights in one repaint, the mode caption in another
  auto on = [&](std::size_t i) { return f.ind[i].visible; };
  EXPECT_FALSE(on(1));
  EXPECT_FALSE(on(2));
  EXPECT_FALSE(on(3));
  EXPECT_TRUE(on(4));
  EXPECT_FALSE(on(5));
  EXPECT_TRUE(on(11));
  EXPECT_FALSE(on(6));  // its flag is set, but the skin did not place it
  EXPECT_TRUE(on(7) && !on(13));
  EXPECT_TRUE(on(8) && !on(14));
  EXPECT_TRUE(!on(9) && on(15));
  EXPECT_TRUE(on(10) && !on(16));
  EXPECT_TRUE(on(17) && !on(18));
  EXPECT_TRUE(on(19) && on(22) && !on(20) && !on(21));
  EXPECT_EQ(f.lbl[26].caption, "Media");
  p.cdMode = true;
  p.playing = false;
  p.paused = true;
  ShowLights(form, p);
  EXPECT_TRUE(on(2) && on(3) && !on(4));
  EXPECT_TRUE(on(20) && on(21) && !on(19) && !on(22));
  EXPECT_EQ(f.lbl[26].caption, "CD");
}

}  // namespace varlo
