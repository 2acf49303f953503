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
