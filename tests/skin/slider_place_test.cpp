#include "skin/slider_place.h"

#include <gtest/gtest.h>

namespace varlo {

TEST(PlaceSlider, KnobsMoveAndTheLevelBarResizes) {
  SkinForm form;
  int notes = 0;
  form.onChange = [&](unsigned) { ++notes; };
  auto& h = form.tables.sliders[2];
  h.x = 10, h.y = 5, h.w = 100, h.h = 0;
  form.slider[2].visible = true;
  PlaceSlider(form, 2, 0.555);
  EXPECT_EQ(form.slider[2].left, 65);
  PlaceSlider(form, 2, 0.559);  // same coordinate: nothing touched
  EXPECT_EQ(notes, 1);
  EXPECT_DOUBLE_EQ(h.value, 0.559);

  auto& v = form.tables.sliders[3];
  v.x = 0, v.y = 20, v.w = 4, v.h = 50;
  form.slider[3].visible = true;
  PlaceSlider(form, 3, 0.5);
  EXPECT_EQ(form.slider[3].top, 45);

  auto& bar = form.tables.sliders[4];
  bar.w = 40, bar.h = 0;
  form.slider[4].visible = true;
  PlaceSlider(form, 4, 0.25);
  EXPECT_EQ(form.slider[4].width, 10);
  bar.h = 30;
  PlaceSlider(form, 4, 0.5);
  EXPECT_EQ(form.slider[4].height, 15);

  form.slider[5].visible = false;  // hidden knobs keep only the value
  PlaceSlider(form, 5, 1.0);
  EXPECT_EQ(form.slider[5].left, 0);
  EXPECT_DOUBLE_EQ(form.tables.sliders[5].value, 1.0);
}

}  // namespace varlo

#include "skin/slider_drag.h"

namespace varlo {

TEST(SliderDrag, TheKnobFollowsThePointerWithinItsTrack) {
  SkinForm form;
  auto& rec = form.tables.sliders[1];
  rec.x = 100, rec.y = 10, rec.w = 200, rec.h = 0;
  form.slider[1].Place(100, 10, 10, 8);
  form.slider[1].visible = true;
  SliderDrag drag;
  SliderPress(form, drag, 1, 104, 12);  // held 4 pixels into the knob
  EXPECT_DOUBLE_EQ(SliderMove(form, drag, 154, 40), 0.25);
  EXPECT_EQ(form.slider[1].left, 150);
  EXPECT_DOUBLE_EQ(SliderMove(form, drag, 900, 0), 1.0);  // clamped to the track's end
  EXPECT_EQ(form.slider[1].left, 300);
  EXPECT_DOUBLE_EQ(SliderMove(form, drag, -50, 0), 0.0);

  auto& v = form.tables.sliders[3];
  v.x = 0, v.y = 20, v.w = 6, v.h = 40;
  form.slider[3].Place(0, 60, 6, 6);
  form.slider[3].visible = true;
  SliderPress(form, drag, 3, 2, 60);
  EXPECT_DOUBLE_EQ(SliderMove(form, drag, 2, 30), 0.75);  // up is more
  EXPECT_EQ(form.slider[3].top, 30);
}

}  // namespace varlo
