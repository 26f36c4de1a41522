// The button's geometry as plain arithmetic: the inside tests, radii, the window shape's
// rectangles and the caption layout. No Qt.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "controls/button/ButtonShape.h"

namespace {

using ButtonShape::IsInsideCircle;
using ButtonShape::IsInsideRounded;

TEST(ButtonShapeTest, DesignedInsideTestsAndRadii) {
  EXPECT_FALSE(IsInsideRounded(0, 10, 0, 0, 100, 24, 12));  // top-left corner
  EXPECT_TRUE(IsInsideRounded(99, 12, 0, 0, 100, 24, 12));
  EXPECT_FALSE(IsInsideCircle(-12, 0, 12));  // d = 0, s = 0
  EXPECT_TRUE(IsInsideCircle(0, 12, 12));
  EXPECT_FALSE(IsInsideRounded(50, 0, 0, 0, 100, 24, 12));  // row 0 is outside
  EXPECT_EQ(ButtonShape::radiusFor(3, 500, 7), 12);
  EXPECT_EQ(ButtonShape::radiusFor(2, 100, 24), 13);
  EXPECT_EQ(ButtonShape::radiusFor(6, 75, 24), 8);
  EXPECT_EQ(ButtonShape::radiusFor(7, 75, 24), 7);
  EXPECT_EQ(ButtonShape::radiusFor(0, 75, 24), 0);
}

// The window shape built row by row (rectangles combined by XOR) is exactly the set of pixels
// the inside test accepts, with a radius of at least 1.
TEST(ButtonShapeTest, TheWindowRegionEqualsTheInsideTest) {
  for (const auto& [w, h, r] :
       {std::array{110, 29, 12}, {75, 23, 7}, {100, 24, 13}, {9, 5, 3}, {4, 4, 0}, {31, 13, 5}}) {
    std::int32_t radius = -1;
    const std::vector<host::Rect> rects = ButtonShape::roundRegionRects(0, 0, w, h, r, radius);
    EXPECT_EQ(radius, std::max(r, 1));
    for (int y = -1; y <= h + 1; ++y) {
      for (int x = -1; x <= w + 1; ++x) {
        bool inside = false;
        for (const host::Rect& rect : rects)
          inside ^= rect.contains(x, y);
        ASSERT_EQ(inside, IsInsideRounded(x, y, 0, 0, w, h, radius))
            << w << " x " << h << " at " << x << "," << y;
      }
    }
  }
}

// Where the picture and a 60 x 13 caption go on a 110 x 29 button, by alignment, picture size,
// radius and pressed.
TEST(ButtonShapeTest, TheCaptionLayoutPlacesPictureAndCaption) {
  const struct {
    int alignment, pw, ph, radius;
    bool pressed;
    ButtonShape::CaptionLayout want;
  } cases[] = {{0, 0, 0, 12, false, {56, 9, 25, 8}},    {0, 0, 0, 12, true, {57, 10, 26, 9}},
               {0, 16, 16, 12, false, {48, 1, 25, 16}}, {1, 16, 16, 12, false, {47, 14, 25, 0}},
               {2, 16, 16, 0, false, {8, 7, 25, 8}},    {2, 16, 16, 12, false, {12, 7, 25, 8}},
               {3, 16, 16, 12, false, {82, 7, 25, 8}},  {9, 16, 16, 12, true, {1, 1, 1, 1}}};
  for (const auto& c : cases) {
    EXPECT_EQ(
        ButtonShape::layoutCaption(c.alignment, 110, 29, c.pw, c.ph, 60, 13, c.radius, c.pressed),
        c.want)
        << "alignment " << c.alignment << " picture " << c.pw << " radius " << c.radius;
  }
}

}  // namespace
