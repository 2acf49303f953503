// The skin checker: what it reports of a skin, and where.
#include "skin/skin_check.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

class SkinCheckTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::map<std::string, PictureSize> sizes;
  PictureSizer sizer = [this](const std::string& path) -> std::optional<PictureSize> {
    const auto it = sizes.find(path);
    if (it == sizes.end()) return std::nullopt;
    return it->second;
  };

  void SetUp() override {
    sizes[dir.Write("Main.BMP", "p")] = {200, 100};
    sizes[dir.Write("res.bmp", "p")] = {100, 50};
  }
  std::vector<std::string> Check(const std::string& elements) {
    const std::string text =
        "Varlo Skin/Player, A test skin\n200,100\n200,60\n100,20\nmain.bmp,res.bmp\n"
        "0,1,0,0,0,0,0,0\n" +
        elements;
    std::vector<std::string> lines;
    for (const SkinFinding& f : CheckSkin(text, dir.Path(), sizer))
      lines.push_back(FormatFinding("t.skin", f));
    return lines;
  }
};

TEST_F(SkinCheckTest, ASoundSkinHasNoFindings) {
  EXPECT_EQ(Check("B7,10,10,20,20,0,0,P,Play\nB8,40,10,20,20,20,0,S,Stop\nK1,70,10,20,20,40,0,"
                  "\\085,Clock,clock.skin\nB9,0,0,0,0,0,0,N,~\nL2,10,40,100,16,255,255,255,9,"
                  "Sans,~\nI4,1,1,4,4,0,255,0,3,t\nD1,10,60,0,20,8,12,2,0,0,0,t\nE\n"),
            std::vector<std::string>{});
}

TEST_F(SkinCheckTest, RefusedAndIgnoredElementsAreReportedWithTheirLines) {
  const auto lines = Check(
      "B0,10,10,20,20,0,0,P,Nothing\n"       // line 7
      "L81,1,1,5,5,0,0,0,8,Sans,t\n"         // 8: refused
      "K21,1,1,5,5,0,0,,t,x.skin\n"          // 9: refused
      "A2,0,0,0,0,0,0,0,0,0,t\n"             // 10: empty frame
      "S3,1,1,x,5,0,0,4,4,t\n"               // 11: not a number
      "I5,1,1,4,4,0,0,0,9,t\n"               // 12: unknown shape
      "X3,1,1,10,10,0,0,0,0,0,0,8,Sans,t\n"  // 13: no such list
      "Q\n");                                // 14: unknown letter, no E after
  ASSERT_EQ(lines.size(), 9u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "t.skin:7: warning: B0: command code 0 does nothing; ignored");
  EXPECT_EQ(lines[1].rfind("t.skin:8: error: L81: numbers run from 1 to 80", 0), 0u);
  EXPECT_EQ(lines[2].rfind("t.skin:9: error: K21:", 0), 0u);
  EXPECT_EQ(lines[3].rfind("t.skin:10: warning: A2: the frame size is empty", 0), 0u);
  EXPECT_EQ(lines[4].rfind("t.skin:11: warning: S3: field 4 (\"x\")", 0), 0u);
  EXPECT_EQ(lines[5].rfind("t.skin:12: warning: I5: shape 9", 0), 0u);
  EXPECT_EQ(lines[6].rfind("t.skin:13: warning: X3: list area 3 has no list", 0), 0u);
  EXPECT_EQ(lines[7].rfind("t.skin:14: warning: Q: unknown element letter", 0), 0u);
  EXPECT_NE(lines[8].find("no end element"), std::string::npos);
}

TEST_F(SkinCheckTest, OverlapsHotKeysAndRectanglesOutsideTheirBitmaps) {
  const auto lines = Check(
      "B7,10,10,20,20,0,0,P,Play\n"    // 7
      "B8,25,10,20,20,0,0,P,Stop\n"    // 8: overlaps B7 and takes its key
      "B9,190,90,20,20,0,0,q,Far\n"    // 9: lower-case key, outside every size
      "B10,50,50,10,10,95,45,R,Img\n"  // 10: pressed image outside res.bmp
      "E\n");
  ASSERT_EQ(lines.size(), 5u) << ::testing::PrintToString(lines);
  EXPECT_NE(lines[0].find(":8: warning: B8: hot key 'P' is already used by B7 (line 7)"),
            std::string::npos);
  EXPECT_NE(lines[1].find(":8: warning: B8: overlaps B7 (line 7)"), std::string::npos);
  EXPECT_NE(lines[2].find(":9: warning: B9: hot key 'q' is lower case"), std::string::npos);
  EXPECT_NE(lines[3].find(":9: warning: B9: lies partly outside every window size"),
            std::string::npos);
  EXPECT_NE(lines[4].find(":10: warning: B10: its image at 95,45"), std::string::npos);
}

// A screen saver's animations and picture lie at screen coordinates, beyond its bitmap; its
// labels lie on the bitmap like any skin's.
TEST_F(SkinCheckTest, AScreenSaversAnimationsAndPictureMayLieBeyondItsWindow) {
  const std::string elements =
      "A1,300,150,0,0,10,10,1,1,1,~\nC1,250,120,64,64,0\nL6,300,10,40,10,0,0,0,8,Sans,~\nE\n";
  const std::string head =
      " A test\n200,100\n200,100\n200,100\nmain.bmp,res.bmp\n0,1,0,0,0,0,0,0\n";
  const auto check = [&](const std::string& kind) {
    std::vector<std::string> lines;
    for (const SkinFinding& f :
         CheckSkin("Varlo Skin/" + kind + "," + head + elements, dir.Path(), sizer))
      lines.push_back(f.element);
    return lines;
  };
  EXPECT_EQ(check("Screensaver"), std::vector<std::string>{"L6"});
  EXPECT_EQ(check("Clock"), (std::vector<std::string>{"A1", "C1", "L6"}));
}

TEST_F(SkinCheckTest, MissingUnreadableAndOversizedBitmapsAreErrors) {
  sizes[dir.Write("huge.bmp", "p")] = {5000, 10};
  dir.Write("text.bmp", "not a picture");
  const std::string text =
      "Varlo Skin/Player,x\n200,100\n0,0\n0,0\nmissing.bmp,HUGE.bmp\n0,0,0,0,0,0,0,0\n"
      "R2,text.bmp\nR1,nowhere.bmp\nW0,5000,10\nE\n";
  std::vector<SkinFinding> found = CheckSkin(text, dir.Path(), sizer);
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0].level, SkinFinding::Level::Error);
  EXPECT_EQ(found[0].line, 5);
  EXPECT_NE(found[0].why.find("missing.bmp"), std::string::npos);
  EXPECT_NE(found[1].why.find("5000x10"), std::string::npos);
  EXPECT_EQ(found[2].element, "R2");
  EXPECT_NE(found[2].why.find("cannot be read"), std::string::npos);
  EXPECT_EQ(found[3].level, SkinFinding::Level::Warning);  // R1: a picture the skin may lack
  EXPECT_EQ(found[4].element, "W0");
  EXPECT_EQ(found[4].level, SkinFinding::Level::Error);
}

TEST_F(SkinCheckTest, ABadHeaderStopsTheCheckAndAShapeMustHaveItsPoints) {
  auto found = CheckSkin("Some Skin,x\n", dir.Path(), sizer);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].element, "header");
  EXPECT_EQ(found[0].line, 1);
  found = CheckSkin(
      "\n\nVarlo Skin,x\n200,100\n0,0\n0,0\nmain.bmp,res.bmp\n0,0,0,0,0,0,0,0\n"
      "N3\nP1,1\nP2,2\nE\n",
      dir.Path(), sizer);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].line, 3);  // no kinds: shown only under "All"
  EXPECT_NE(found[1].why.find("asks for 3 points and has 2"), std::string::npos);

  // A window size past any integer is cut as the loader cuts it, with a warning.
  found =
      CheckSkin("Varlo Skin/Player,x\n5e58,100\n0,0\n0,0\nmain.bmp,res.bmp\n0,0,0,0,0,0,0,0\nE\n",
                dir.Path(), sizer);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found[0].element, "size 1");
  EXPECT_NE(found[0].why.find("cut to 32767"), std::string::npos);
  // A polygon count past any integer skips what fields there are, the end element too.
  const auto lines = Check("M1,5e41\nE\n");
  ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
  EXPECT_NE(lines[0].find("no end element"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("asks for 1 points and has 0"), std::string::npos) << lines[1];
}

}  // namespace
}  // namespace varlo
