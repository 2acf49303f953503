// Faults of the window found in first use: minimising, moves by the window system, command
// line items, the scrolling song name and coordinates at the edge of 32 bits.
#include <unistd.h>

#include <climits>

#include "common/paths.h"
#include "shell_fixture.h"
#include "skin/digit_display.h"
#include "skin/scroll_name.h"

namespace varlo {
namespace {

TEST_F(ShellTest, MinimisedAtStartOrByCommandTwoOnlyOnce) {
  Preset("StartMin=1\n");
  Start();
  EXPECT_TRUE(form->Form().window.minimised);
  form->Form_WindowState(false);  // the user restores the window
  form->Form_Activate();          // which notifies the window state again
  EXPECT_FALSE(form->Form().window.minimised);

  form->DoIt(2);
  EXPECT_FALSE(form->Form().window.shown);
  form->Form_WindowState(false);
  form->Form_Activate();
  EXPECT_TRUE(form->Form().window.shown);
  EXPECT_FALSE(form->Form().window.minimised);
}

TEST_F(ShellTest, MovesByTheWindowSystemAreSavedAndDragsStartFromThere) {
  Preset("WinSavePos=1\n");
  Start();
  EXPECT_FALSE(form->Form().window.placed);  // no stored place: the window system decides
  form->Form_Moved(100, 40);                 // where it put the window
  EXPECT_EQ(form->Form().window.left, 1500);
  EXPECT_EQ(form->Form().window.top, 600);
  // A drag by the skin moves on from there.
  form->Form_MouseDown(1, 10, 10);
  form->Form_MouseMove(1, 20, 10);
  form->Form_MouseUp(1, 20, 10);
  EXPECT_EQ(form->Form().window.left, 1650);
  Stop();
  EXPECT_EQ(Stored("X"), "1650");
  EXPECT_EQ(Stored("Y"), "600");
  Start();
  EXPECT_TRUE(form->Form().window.placed);
  EXPECT_EQ(form->Form().window.left, 1650);
}

TEST_F(ShellTest, DragsAtTheEdgeOfThirtyTwoBitsStayInRange) {
  Preset("X=2147483647\nY=-2147483648\n");
  Start();
  form->Form().window.left = INT_MAX;  // the loader brought the window on screen; put it back
  form->Form().window.top = INT_MIN;
  form->Form_MouseDown(1, 0, 0);
  form->Form_MouseMove(1, 100000, -100000);
  EXPECT_EQ(form->Form().window.left, INT_MAX);
  EXPECT_EQ(form->Form().window.top, INT_MIN);
  form->Form_Moved(INT_MAX, INT_MIN);
  EXPECT_EQ(form->Form().window.left, INT_MAX);
}

TEST_F(ShellTest, ACommandLineItemIsStoredAsAnAbsolutePath) {
  const std::string song = prog.Write("music/song.mp3", "x");
  char* here = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(prog.File("music").c_str()), 0);
  Start("song.mp3");
  ASSERT_EQ(::chdir(here), 0);
  std::free(here);
  ASSERT_EQ(form->Player().List().Count(), 1);
  EXPECT_EQ(form->Player().List().paths[0], song);
  EXPECT_EQ(AbsoluteItem("http://radio/stream"), "http://radio/stream");
  EXPECT_EQ(AbsoluteItem("/a/./b"), "/a/./b");
}

TEST(ScrollName, ALongNameMovesOneCharacterPerStepAndComesRound) {
  ScrollName s;
  EXPECT_EQ(s.Step("Short", 8), "Short");  // fits: stands still
  EXPECT_EQ(s.Step("Short", 8), "Short");
  EXPECT_EQ(s.Step("ABCDEFGHIJ", 4), "ABCD");
  EXPECT_EQ(s.Step("ABCDEFGHIJ", 4), "BCDE");
  for (int i = 0; i < 6; ++i) s.Step("ABCDEFGHIJ", 4);
  EXPECT_EQ(s.Step("ABCDEFGHIJ", 4), "IJ  ");
  for (int i = 0; i < 4; ++i) s.Step("ABCDEFGHIJ", 4);
  EXPECT_EQ(s.Step("ABCDEFGHIJ", 4), "ABCD");  // round again after the gap
  EXPECT_EQ(s.Step("Other name", 4), "Othe");  // a new name starts at its beginning
  // Characters of several bytes move as one.
  EXPECT_EQ(s.Step("\xC3\xA9t\xC3\xA9 song", 3), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(s.Step("\xC3\xA9t\xC3\xA9 song", 3), "t\xC3\xA9 ");
  EXPECT_EQ(s.Step("", 3), "");
}

TEST_F(ShellTest, TheSongNameScrollsOnAnAlphanumericDisplay) {
  prog.Write("default.skin",
             "Varlo Skin/Player, Default\n200,100,200,150,100,50\nmain.bmp,res.bmp\n"
             "0,1,0,0,0,0,0,0\nD6,1,1,0,0,5,7,0,1,0,-4,t\nE\n");
  Preset("ScrollName=1\n");
  Start();
  ASSERT_EQ(form->Access().DisplayCells(6), 4);
  form->Player().State().songName = "Morning";
  const auto shows = [&](std::string_view text) {
    DigitBlits want;
    const SkinWidget& d = form->Form().dig[6];
    LayoutDigitCells(form->Form().tables.digits[6], text, d.left, d.top, want);
    const DigitBlits& got = form->Form().digitCells[6];
    if (got.count != want.count) return false;
    for (std::size_t i = 0; i < got.count; ++i)
      if (got.cells[i].sx != want.cells[i].sx || got.cells[i].sy != want.cells[i].sy) return false;
    return true;
  };
  form->Timer2_Timer();
  EXPECT_TRUE(shows("MORN"));
  form->Timer2_Timer();
  EXPECT_TRUE(shows("ORNI"));
  form->Settings().scrollName = 0;
  form->Timer2_Timer();
  EXPECT_TRUE(shows("ORNI"));  // off: the display stays as it was
}

}  // namespace
}  // namespace varlo
