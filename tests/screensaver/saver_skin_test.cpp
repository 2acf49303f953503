#include "screensaver/saver_skin.h"

#include <gtest/gtest.h>

#include "screensaver/saver_scene.h"
#include "tests/support/fakes.h"

namespace varlo {
namespace {

constexpr const char* kHead = "Varlo Skin/Screensaver, Night clock\n640,480,0,0,0,0\n";

TEST(SaverSkin, OnlyTheVarloHeaderIsAccepted) {
  EXPECT_FALSE(ParseSaverSkin("Tarnix Skin, x\n0,0,0,0,0,0\na,b\n0,0,0,0,0,0,0,0\nE\n", "/s/"));
  EXPECT_FALSE(ParseSaverSkin("varlo skin, x\n", "/s/"));
  EXPECT_FALSE(ParseSaverSkin("", "/s/"));
  const auto skin =
      ParseSaverSkin(std::string(kHead) + "main.bmp,res.bmp\n5,0,10,20,30,0,0,0\nE\n", "/skins/");
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->info, "Night clock");
  EXPECT_EQ(skin->mainBitmap, "/skins/main.bmp");
  EXPECT_EQ(skin->resourceBitmap, "/skins/res.bmp");
  EXPECT_EQ(skin->background, 10u + 256u * 20u + 65536u * 30u);
}

TEST(SaverSkin, ReadsItsElementsAndPassesOverTheRest) {
  const auto skin = ParseSaverSkin(std::string(kHead) +
                                       "main.bmp,res.bmp\n0,0,0,0,0,0,0,0\n"
                                       "B5,1,1,10,10,0,0,x,tip\n"
                                       "D3,10,20,0,40,12,20,4,0,1,2,~\n"
                                       "L3,100,110,200,30,255,128,0,-24,Sans:B,The time\n"
                                       "A1,5,6,0,60,16,16,4,2,3,~\n"
                                       "C1,300,310,64,48,~\n"
                                       "/,second line\n"
                                       "L10,0,0,5,5,0,0,0,8,Sans,~\n"
                                       "D12,0,0,0,0,1,1,0,0,0,0,~\n"
                                       "E\nL4,0,0,5,5,0,0,0,8,Sans,~\n",
                                   "/s/");
  ASSERT_TRUE(skin);
  const SaverDigit& d = skin->digits[3];
  EXPECT_TRUE(d.shown);
  EXPECT_EQ(d.width, 6 * 12 + 2 * 4);  // the hh:mm:ss style
  EXPECT_EQ(d.rec.sy, 40);
  const SaverLabel& l = skin->labels[3];
  EXPECT_TRUE(l.shown);
  EXPECT_EQ(l.font.size, 24);
  EXPECT_TRUE(l.font.bold);
  EXPECT_EQ(l.colour, 255u + 256u * 128u);
  EXPECT_EQ(l.tip, "The time");
  EXPECT_TRUE(skin->anims[1].shown);
  EXPECT_EQ(skin->anims[1].rec.a3, 3);
  EXPECT_TRUE(skin->cover.shown);
  EXPECT_EQ(skin->cover.h, 48);
  EXPECT_EQ(skin->info, "Night clock\nsecond line");
  EXPECT_EQ(skin->refused, (std::vector<std::string>{"L10", "D12"}));
  EXPECT_FALSE(skin->labels[4].shown);  // after the end
}

TEST(SaverSkin, ZeroAndNegativeSizesLeaveElementsOut) {
  const auto skin = ParseSaverSkin(std::string(kHead) +
                                       "*,folder,filter,name\n0,0,0,0,0,0,0,0\n"
                                       "D1,0,0,0,0,0,20,4,0,1,1,~\n"
                                       "D2,0,0,0,0,12,-1,4,0,1,1,~\n"
                                       "L1,0,0,-5,10,0,0,0,8,Sans,~\n"
                                       "A1,0,0,0,0,16,16,0,-3,0,~\n"
                                       "C1,0,0,0,10,~\n"
                                       "D3,0,0,0,0,12,20,-7,0,1,-32768,~\n",
                                   "/s/");
  ASSERT_TRUE(skin);
  EXPECT_TRUE(skin->mainBitmap.empty());  // import skins bring no pictures here
  EXPECT_FALSE(skin->digits[1].shown);
  EXPECT_FALSE(skin->digits[2].shown);
  EXPECT_FALSE(skin->labels[1].shown);
  EXPECT_FALSE(skin->cover.shown);
  // Frames of an animation need at least one row, one column and one tick.
  EXPECT_TRUE(skin->anims[1].shown);
  EXPECT_EQ(skin->anims[1].rec.a1, 1);
  EXPECT_EQ(skin->anims[1].rec.a2, 1);
  EXPECT_EQ(skin->anims[1].rec.a3, 1);
  // A huge style magnitude gives a bounded width and no negative gap.
  EXPECT_EQ(skin->digits[3].rec.gap, 0);
  EXPECT_EQ(skin->digits[3].width, 12 * 256);
}

// The main bitmap is centred and the labels move with it; digit displays, both animations and
// the picture stay at the window coordinates the skin gives them.
TEST(SaverSkin, OnlyLabelsMoveWithTheCentredBitmap) {
  const auto skin = ParseSaverSkin(std::string(kHead) +
                                       "main.bmp,res.bmp\n0,0,0,0,0,0,0,0\n"
                                       "D11,30,40,0,100,10,20,4,0,0,-2,~\n"
                                       "L6,10,20,300,30,255,255,255,12,Sans,~\n"
                                       "A1,500,8,0,200,16,16,2,2,1,~\n"
                                       "A2,5,6,64,200,8,8,3,1,2,~\n"
                                       "C1,50,60,64,48,~\nE\n",
                                   "/s/");
  ASSERT_TRUE(skin);
  testing::FakeClock time;
  time.now.year = 2026, time.now.month = 3, time.now.day = 4;
  time.now.hour = 10, time.now.minute = 20, time.now.second = 37;
  SaverClock clock(time, 1);
  clock.Start();
  SaverAnimations animations;
  const SaverScene scene = BuildSaverScene(*skin, 1000, 600, 200, 100, clock, animations);
  EXPECT_EQ(scene.mainX, 400);
  EXPECT_EQ(scene.mainY, 250);
  ASSERT_EQ(scene.texts.size(), 1u);
  EXPECT_EQ(scene.texts[0].place, (SaverRect{410, 270, 300, 30}));
  EXPECT_EQ(scene.texts[0].text, "Wed Mar  4, 2026");
  EXPECT_TRUE(scene.cover);
  EXPECT_EQ(scene.coverPlace, (SaverRect{50, 60, 64, 48}));
  // Both animations at their resting frames, then the seconds "37" from the strip.
  ASSERT_EQ(scene.blits.size(), 4u);
  EXPECT_EQ(scene.blits[0], (Blit{0, 200, 16, 16, 500, 8}));
  EXPECT_EQ(scene.blits[1], (Blit{64, 200, 8, 8, 5, 6}));
  EXPECT_EQ(scene.blits[2], (Blit{30, 100, 10, 20, 30, 40}));
  EXPECT_EQ(scene.blits[3], (Blit{70, 100, 10, 20, 40, 40}));
  // Without a main bitmap the labels move as for a 640 x 480 one.
  EXPECT_EQ(BuildSaverScene(*skin, 1000, 600, 0, 0, clock, animations).texts[0].place.x, 190);

  // Each animation at its own pace: A1 every tick through 2 x 2 frames, A2 every second
  // tick through 3 columns of one row.
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(animations.Tick(*skin));
  EXPECT_EQ(animations.Frame(1), 1);
  EXPECT_EQ(animations.Frame(2), 2);
  const SaverScene later = BuildSaverScene(*skin, 1000, 600, 200, 100, clock, animations);
  EXPECT_EQ(later.blits[0], (Blit{16, 200, 16, 16, 500, 8}));
  EXPECT_EQ(later.blits[1], (Blit{80, 200, 8, 8, 5, 6}));
}

}  // namespace
}  // namespace varlo
