#include "screensaver/saver_skin.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace varlo
