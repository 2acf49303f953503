#include "common/picture.h"

#include <gtest/gtest.h>

namespace varlo {

TEST(Picture, CopyIsClippedOnBothSides) {
  Picture src(4, 4, 1);
  src.Set(0, 0, 9);
  Picture dst(3, 3, 0);
  CopyPictureRect(src, -1, -1, 3, 3, dst, 0, 0);  // source starts outside
  EXPECT_EQ(dst.At(1, 1), 9u);
  EXPECT_EQ(dst.At(0, 0), 0u);
  CopyPictureRect(src, 0, 0, 100, 100, dst, 2, 2);  // far too large
  EXPECT_EQ(dst.At(2, 2), 9u);
  CopyPictureRect(src, 10, 10, 2, 2, dst, 0, 0);  // nothing overlaps
  EXPECT_EQ(MakeColour(1, 2, 3), 1u + 256u * 2u + 65536u * 3u);
}

TEST(Picture, ResizeKeepsTheTopLeft) {
  Picture p(2, 2, 5);
  ResizePicture(p, 3, 1, 7);
  ASSERT_EQ(p.width, 3);
  EXPECT_EQ(p.At(1, 0), 5u);
  EXPECT_EQ(p.At(2, 0), 7u);
  EXPECT_EQ(p.Row(0)[2], 0xFF070000u);  // stored as the front end draws it: 0xFFRRGGBB
  ResizePicture(p, -1, 4, 0);
  EXPECT_TRUE(p.Empty());
}

}  // namespace varlo
