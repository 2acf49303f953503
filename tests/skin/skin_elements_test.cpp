#include "skin_test_fixture.h"

namespace varlo {

TEST_F(SkinLoaderTest, ButtonsAndLinkButtons) {
  Load(
      "B12,10,20,30,15,0,0,X,Play\n"
      "B0,1,1,1,1,0,0,Q,ignored\n"
      "K3,5,5,8,8,40,41,\\013,~no tip,blue.skin\n"
      "K21,5,5,8,8,0,0,K,tip,x.skin\n"
      "B-4,1,1,0,0,0,0,abcd,tip\n"
      "E\n");
  EXPECT_EQ(form.tables.buttonCount, 3);
  EXPECT_EQ(form.btn[1].code, 12);
  EXPECT_EQ(form.btn[1].left, 10);
  EXPECT_EQ(form.btn[1].height, 15);
  EXPECT_EQ(form.btn[1].tooltip, "Play");
  EXPECT_TRUE(form.btn[1].visible);
  EXPECT_EQ(form.tables.buttons[1].key, "X");
  EXPECT_EQ(form.tables.buttons[1].pressX, 10);  // sx + sy = 0: the button's own place
  EXPECT_EQ(form.btn[2].code, 1003);
  EXPECT_EQ(form.tables.links[3], "blue.skin");
  EXPECT_EQ(form.tables.buttons[2].key, "\r");
  EXPECT_EQ(form.tables.buttons[2].pressX, 40);
  EXPECT_EQ(form.btn[2].tooltip, "");
  EXPECT_EQ(form.btn[3].code, -4);
  EXPECT_EQ(form.tables.buttons[3].key, "");
  EXPECT_EQ(form.btn[3].width, 0);  // w and h below 1: not placed
  EXPECT_EQ(dialogs.Texts(),
            std::vector<std::string>{
                "Error in skin file!\rThe skin file contains references to the following "
                "elements that do not exist!:\r K21"});
}

TEST_F(SkinLoaderTest, TheHundredAndTwentyFirstButtonIsDropped) {
  std::string elements;
  for (int i = 1; i <= 122; ++i) elements += "B" + std::to_string(i) + ",0,0,2,2,0,0,A,t\n";
  Load(elements + "L90,0,0,1,1,0,0,0,8,Arial,t\nE\n");
  EXPECT_EQ(form.tables.buttonCount, 120);
  EXPECT_EQ(form.btn[120].code, 120);
  const auto texts = dialogs.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "This skin contains too many buttons!");
  EXPECT_EQ(texts[1], texts[0]);
  EXPECT_NE(texts[2].find(":\r B121 B122 L90"), std::string::npos);
}

TEST_F(SkinLoaderTest, ACommentWithoutACommaSwallowsTheNextLine) {
  Load(";just a comment\nB12,1,1,5,5,0,0,X,t\n; with, comma\nB13,1,1,5,5,0,0,Y,t\nE\n");
  EXPECT_EQ(form.tables.buttonCount, 1);
  EXPECT_EQ(form.btn[1].code, 13);
}

TEST_F(SkinLoaderTest, WidgetElementsArePlaced) {
  Load(
      "D1,5,6,0,64,7,11,3,0,1,0,Position\n"
      "D2,5,6,0,64,7,11,3,0,1,2,t\n"
      "D3,5,6,0,64,7,11,3,0,1,4,t\n"
      "D6,5,6,0,64,7,11,3,1,1,-12,t\n"
      "S2,10,40,80,0,50,0,6,9,~vol\n"
      "A2,60,5,0,30,12,10,2,3,2,Playing\n"
      "L2,10,10,80,12,255,255,0,-9,DejaVu Sans:B,~\n"
      "T1,0,0,40,10,1,2,3,8,Mono:I,entry\n"
      "I4,90,2,5,5,0,255,0,3,ignored\n"
      "I7,90,2,5,5,0,255,0,9,x\n"
      "X1,0,30,60,20,200,200,200,0,0,0,8,Sans:B,Playlist\n"
      "X3,0,0,5,5,0,0,0,0,0,0,8,Sans,unused\n"
      "C1,70,30,20,20,0\nC3,0,0,10,10,0\nC4,0,0,10,10,0\n"
      "L0,1,1,1,1,0,0,0,8,Arial,zero\nL3,1,1,0,5,0,0,0,8,Arial,zero width\n"
      "E\n");
  EXPECT_EQ(form.dig[1].width, 4 * 7 + 3);
  EXPECT_EQ(form.dig[2].width, 6 * 7 + 2 * 3);
  EXPECT_EQ(form.dig[3].width, 6 * 7 + 3);
  EXPECT_EQ(form.dig[6].width, 7 * 12);
  EXPECT_EQ(form.dig[1].tooltip, "Position");
  EXPECT_EQ(form.tables.digits[6].d1, 1);
  EXPECT_EQ(form.tables.digits[6].style, -12);
  EXPECT_EQ(form.tables.digits[1].sy, 64);

  EXPECT_EQ(form.slider[2].width, 6);
  EXPECT_EQ(form.slider[2].sourceX, 50);
  EXPECT_EQ(form.slider[2].tooltip, "");
  EXPECT_EQ(form.tables.sliders[2].w, 80);

  EXPECT_TRUE(form.anim[2].visible);
  EXPECT_EQ(form.tables.anims[2].a2, 3);
  EXPECT_EQ(form.anim[2].width, 12);

  EXPECT_EQ(form.lbl[2].foreColour, MakeColour(255, 255, 0));
  EXPECT_EQ(form.lbl[2].font.size, 9);
  EXPECT_TRUE(form.lbl[2].font.bold);
  EXPECT_TRUE(form.txtEntry[1].visible);
  EXPECT_TRUE(form.txtEntry[1].font.italic);

  EXPECT_EQ(form.ind[4].shape, LightShape::Circle);
  EXPECT_EQ(form.ind[4].left, 90);
  EXPECT_EQ(form.ind[7].shape, LightShape::Rectangle);
  EXPECT_FALSE(form.ind[4].visible);  // the lights decide

  EXPECT_TRUE(form.plNames.visible);
  EXPECT_FALSE(form.plNames.font.bold);
  EXPECT_EQ(form.plNames.backColour, MakeColour(0, 0, 0));
  EXPECT_TRUE(form.cover.visible);
  EXPECT_TRUE(form.videoBox.visible);
  EXPECT_TRUE(form.videoIsDisplay);
  EXPECT_FALSE(form.lbl[0].visible);
  EXPECT_FALSE(form.lbl[3].visible);
  EXPECT_TRUE(dialogs.messages.empty());  // C4 and X3 are passed over silently
}

TEST_F(SkinLoaderTest, ALoadClearsWhatThePreviousSkinPlaced) {
  Load("B12,1,1,5,5,0,0,X,t\nK1,1,1,5,5,0,0,Y,t,x.skin\nL5,1,1,5,5,0,0,0,8,A,t\nE\n");
  form.lbl[5].caption = "kept";
  Load("E\n");
  EXPECT_FALSE(form.btn[1].visible);
  EXPECT_EQ(form.tables.buttons[1].key, "");
  EXPECT_EQ(form.tables.links[1], "");
  EXPECT_FALSE(form.lbl[5].visible);
  EXPECT_EQ(form.lbl[5].caption, "kept");  // captions belong to their owners
  EXPECT_EQ(form.tables.buttonCount, 0);
}

TEST_F(SkinLoaderTest, BadNumbersSkipOnlyTheirElement) {
  Load("B12,ten,1,5,5,0,0,X,t\nB13,1,1,5,5,0,0,Y,t\nL4,1,1,5,5,0,0,0,99999,A,t\nE\n");
  EXPECT_EQ(form.tables.buttonCount, 1);
  EXPECT_EQ(form.btn[1].code, 13);
  EXPECT_FALSE(form.lbl[4].visible);
}

TEST_F(SkinLoaderTest, PolygonOutlines) {
  Load("N4\nP0,0\nP100,0\nP100,50\nP0,50\nP7,7\nE\n");
  ASSERT_EQ(form.window.region.kind, WindowRegion::Kind::Rects);
  // The surplus point is dropped: the outline is the plain rectangle of the first four.
  EXPECT_EQ(form.window.region.rects, (std::vector<RegionRect>{{0, 0, 100, 50}}));

  const WindowRegion before = form.window.region;
  Load("N5\nP0,0\nP9,9\nE\n");  // too few points: the shape stays
  EXPECT_EQ(form.window.region, before);

  // Two polygons filled together: the triangle inside the square is a hole.
  Load("M7,2,4,3\nP0,0\nP10,0\nP10,10\nP0,10\nP2,2\nP6,2\nP2,6\nE\n");
  const std::vector<RegionRect> holed = {{0, 0, 10, 2}, {0, 2, 2, 1}, {6, 2, 4, 1}, {0, 3, 2, 1},
                                         {5, 3, 5, 1},  {0, 4, 2, 1}, {4, 4, 6, 1}, {0, 5, 2, 1},
                                         {3, 5, 7, 1},  {0, 6, 10, 4}};
  EXPECT_EQ(form.window.region.rects, holed);

  Load("M3,999999999\n");  // a count far beyond the file reads to its end and stops
  EXPECT_EQ(form.window.region.rects, holed);
}

TEST_F(SkinLoaderTest, TransparencyColourShapesTheWindow) {
  Picture main(10, 4, 1);
  for (int x = 0; x < 10; ++x) main.Set(x, 0, MakeColour(255, 0, 255));
  AddPicture("main.bmp", main);
  loader.LoadSkin(Write("o.skin", Skin("O,255,0,255\nE\n")), true);
  ASSERT_EQ(form.window.region.kind, WindowRegion::Kind::Rects);
  EXPECT_EQ(form.window.region.rects, (std::vector<RegionRect>{{0, 1, 10, 3}}));
}

TEST_F(SkinLoaderTest, AShapeWithoutPixelsLeavesTheWindowAsItWasAndSaysSo) {
  Load("N3\nP0,0\nP40,0\nP0,40\nE\n");
  const WindowRegion triangle = form.window.region;
  ASSERT_FALSE(triangle.rects.empty());

  // A main bitmap all of the transparent colour; then an outline of no area.
  AddPicture("key.bmp", Picture(30, 20, MakeColour(255, 0, 255)));
  ::testing::internal::CaptureStderr();
  loader.LoadSkin(Write("k.skin",
                        "Varlo Skin, all key\n30,20,30,20,30,20\nkey.bmp,res.bmp\n"
                        "0,0,0,0,0,0,0,0\nO,255,0,255\nE\n"),
                  true);
  Load("N3\nP0,0\nP5,5\nP10,10\nE\n");
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(form.window.region, triangle);
  EXPECT_EQ(err,
            "varlo: the skin's window shape keeps no pixel; the window keeps its shape\n"
            "varlo: the skin's window shape keeps no pixel; the window keeps its shape\n");
}

TEST_F(SkinLoaderTest, AHostileShapeIsSimplifiedAndSaysSo) {
  // The largest main bitmap a skin may have, in one-pixel checks of the transparent colour.
  Picture checks(4096, 4096, 1);
  for (int y = 0; y < 4096; ++y)
    for (int x = y % 2; x < 4096; x += 2) checks.Set(x, y, MakeColour(255, 0, 255));
  AddPicture("main.bmp", checks);
  ::testing::internal::CaptureStderr();
  Load("O,255,0,255\nE\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "varlo: the skin's window shape is too detailed for the window system; it is "
            "simplified to blocks of 2 x 2 pixels\n");
  EXPECT_EQ(form.window.region.rects, (std::vector<RegionRect>{{0, 0, 4096, 4096}}));

  // An outline of 20000 teeth over the whole window height.
  std::string teeth = "N40000\n";
  for (int i = 0; i < 20000; ++i)
    teeth += "P" + std::to_string(i / 5) + ",0\nP" + std::to_string(i / 5) + ",4000\n";
  ::testing::internal::CaptureStderr();
  Load(teeth + "E\n");
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("is simplified to blocks"),
            std::string::npos);
  EXPECT_LE(form.window.region.rects.size(), kMaxRegionRects);
}

TEST_F(SkinLoaderTest, ConditionalSkipsFollowTheLastPictureLoad) {
  Load("R0,missing.bmp\n?0,NOPIC\nB12,1,1,5,5,0,0,X,t\n:NOPIC\nB13,1,1,5,5,0,0,Y,t\nE\n");
  EXPECT_EQ(form.tables.buttonCount, 1);
  EXPECT_EQ(form.btn[1].code, 13);

  AddPicture("have.bmp", Picture(2, 2));
  Load("R1,have.bmp\n?0,NOPIC\nB12,1,1,5,5,0,0,X,t\n:NOPIC\nE\n");
  EXPECT_EQ(form.tables.buttonCount, 1);
  EXPECT_EQ(form.btn[1].code, 12);

  // While skipping, an "E" does not end the list; the label ends the skip.
  Load("?0,L\nE\nB14,1,1,5,5,0,0,X,t\n:L\nB15,1,1,5,5,0,0,X,t\nE\n");
  EXPECT_EQ(form.tables.buttonCount, 1);
  EXPECT_EQ(form.btn[1].code, 15);
  Load("R3,x\nW2,1,1\nZ2,0,0,1,1,0,0\nE\n");
  EXPECT_NE(dialogs.messages.back().text.find(" R3 W2 Z2"), std::string::npos);
}

}  // namespace varlo
