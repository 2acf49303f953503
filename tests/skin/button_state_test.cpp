#include "skin/button_state.h"

#include <gtest/gtest.h>

namespace varlo {
namespace {

// Buttons 1-3 side by side, with codes 11, 12, 13 and pressed images at (0, 100 + 20 i).
class ButtonStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 3; ++i) {
      ButtonWidget& b = form.btn[static_cast<std::size_t>(i)];
      b.Place(30 * i, 5, 25, 20);
      b.visible = true;
      b.code = static_cast<std::int16_t>(10 + i);
      b.tooltip = "tip " + std::to_string(i);
      form.tables.buttons[static_cast<std::size_t>(i)].pressX = 0;
      form.tables.buttons[static_cast<std::size_t>(i)].pressY = 100 + 20 * i;
    }
    form.onChange = [this](unsigned) { ++notes; };
  }
  bool Border(int i) const { return form.btn[static_cast<std::size_t>(i)].border; }

  SkinForm form;
  ButtonHover hover;
  int notes = 0;
};

TEST_F(ButtonStateTest, BorderStyleMovesTheHighlight) {
  form.coolFlag = 1;
  EXPECT_TRUE(HoverButton(form, hover, 1));
  EXPECT_TRUE(Border(1));
  EXPECT_TRUE(HoverButton(form, hover, 2));
  EXPECT_FALSE(Border(1));
  EXPECT_TRUE(Border(2));
  EXPECT_EQ(notes, 2);
  EXPECT_FALSE(HoverButton(form, hover, 2));  // still on the same button
  EXPECT_EQ(notes, 2);
  EXPECT_FALSE(form.tmpBtn.visible);

  EXPECT_TRUE(LeaveButtons(form, hover));
  EXPECT_FALSE(Border(2));
  EXPECT_FALSE(LeaveButtons(form, hover));
  EXPECT_TRUE(HoverButton(form, hover, 2));  // back onto it: highlighted again
  EXPECT_TRUE(Border(2));
}

TEST_F(ButtonStateTest, NoHoverStyleChangesNothingButTheButtonUnderThePointer) {
  form.coolFlag = 0;
  EXPECT_TRUE(HoverButton(form, hover, 1));
  EXPECT_TRUE(HoverButton(form, hover, 3));
  EXPECT_EQ(hover.lastIndex, 3);
  EXPECT_TRUE(hover.overButton);
  EXPECT_FALSE(Border(1) || Border(3) || form.tmpBtn.visible);
  EXPECT_EQ(notes, 0);

  // A held left button moves the border anyway; a held right button shows the pressed image.
  HoverButton(form, hover, 1, HeldButton::Left);
  EXPECT_TRUE(Border(1));
  HoverButton(form, hover, 2, HeldButton::Right);
  EXPECT_TRUE(form.tmpBtn.visible);
  EXPECT_EQ(form.tmpBtn.sourceY, 140);
}

TEST_F(ButtonStateTest, PressedImageStyleFollowsThePointer) {
  form.coolFlag = 2;
  HoverButton(form, hover, 1);
  HoverButton(form, hover, 3);
  const PictureWidget& tmp = form.tmpBtn;
  EXPECT_TRUE(tmp.visible);
  EXPECT_EQ(tmp.left, 90);
  EXPECT_EQ(tmp.sourceY, 160);
  EXPECT_EQ(tmp.tooltip, "tip 3");
  EXPECT_FALSE(Border(1) || Border(3));
  LeaveButtons(form, hover);
  EXPECT_FALSE(tmp.visible);
}

TEST_F(ButtonStateTest, PressAndReleaseRunTheButtonsCommand) {
  form.coolFlag = 1;
  HoverButton(form, hover, 2);
  ButtonDown(form, hover, 2);
  const PictureWidget& tmp = form.tmpBtn;
  EXPECT_TRUE(tmp.visible);
  EXPECT_EQ(tmp.left, 60);
  EXPECT_EQ(tmp.top, 5);
  EXPECT_EQ(tmp.width, 25);
  EXPECT_EQ(tmp.height, 20);
  EXPECT_EQ(tmp.sourceX, 0);
  EXPECT_EQ(tmp.sourceY, 140);
  EXPECT_EQ(tmp.tooltip, "tip 2");

  EXPECT_EQ(ReleaseButton(form, 2), 12);
  EXPECT_FALSE(tmp.visible);
  EXPECT_FALSE(Border(2));

  // Released over the pressed image rather than the button: still button 2's command.
  ButtonDown(form, hover, 2);
  EXPECT_EQ(ReleasePressedImage(form, hover), 12);
  EXPECT_FALSE(tmp.visible);

  // Pressed without a hover first (no pointer tracking): the press names the button.
  ButtonHover fresh;
  ButtonDown(form, fresh, 3);
  EXPECT_EQ(ReleasePressedImage(form, fresh), 13);

  EXPECT_EQ(ReleasePressedImage(form, ButtonHover{}), 0);
  EXPECT_EQ(ReleaseButton(form, 121), 0);
}

}  // namespace
}  // namespace varlo
