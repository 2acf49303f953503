// Window positions at the ends of the 32-bit range (a hand-edited or damaged varlo.ini) must
// neither overflow nor throw the window off the screen.
#include <limits>

#include "shell/window_snap.h"
#include "tests/shell/shell_fixture.h"

namespace varlo {
namespace {
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
}  // namespace

TEST_F(ShellTest, ExtremeStoredPositionsAreHeldOnScreenAndDragsStayInRange) {
  Preset("X=2147483647\nY=2147483647\nWinSnap=1\n");
  Start();
  auto& w = form->Form().window;
  EXPECT_EQ(w.left, 1024 * 15 - 200 * 15);  // the skin load holds the window on screen
  EXPECT_EQ(w.top, 768 * 15 - 100 * 15);

  // A drag from the far end keeps the position at the end of the range, both ways.
  w.left = kMax;
  w.top = kMin;
  form->Form_MouseDown(1, 0, 0);
  form->Form_MouseMove(1, 30000, -30000);
  EXPECT_EQ(w.left, kMax);
  EXPECT_EQ(w.top, kMin);
  form->Form_MouseUp(1, 30000, -30000);  // snapping looks at the edges without overflow
  EXPECT_EQ(w.left, kMax);
  EXPECT_EQ(w.top, kMin);
}

TEST(WindowSnap, FarWindowsAndWideSizesDoNotOverflow) {
  const TwipRect area{0, 0, 15360, 11100};
  const TwipRect far = SnapToWorkArea({kMax, kMin, kMax, kMax}, area);
  EXPECT_EQ(far.left, kMax);
  EXPECT_EQ(far.top, kMin);
  // Right edges past the end of the range still snap onto each other.
  EXPECT_EQ(SnapToWorkArea({kMax - 1300, 5000, 1500, 1500}, {kMax - 100, 0, 200, 100}).left,
            kMax - 1400);
  EXPECT_EQ(SnapToWorkArea({kMax - 50, 5000, 0, 1500}, {kMax - 100, 0, 200, 100}).left, kMax);
  const TwipRect edge = SnapToWorkArea({kMax - 1000, 5000, 900, 1500}, {0, 0, kMax, 11100});
  EXPECT_EQ(edge.left, kMax - 900);
}

}  // namespace varlo
