// The button's geometry as plain arithmetic: the inside tests, radii, the window shape's
// rectangles and the caption layout. No Qt.
#include <gtest/gtest.h>

#include <algorithm>
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

struct RegionCase {
  int w, h, r;
};

class WindowRegion : public ::testing::TestWithParam<RegionCase> {};

// The window shape built row by row (rectangles combined by XOR) is exactly the set of pixels
// the inside test accepts.
TEST_P(WindowRegion, EqualsTheInsideTest) {
  const auto [w, h, r] = GetParam();
  std::int32_t radius = -1;
  const std::vector<host::Rect> rects = ButtonShape::roundRegionRects(0, 0, w, h, r, radius);
  EXPECT_EQ(radius, std::max(r, 1));
  for (int y = -1; y <= h + 1; ++y) {
    for (int x = -1; x <= w + 1; ++x) {
      bool inside = false;
      for (const host::Rect& rect : rects)
        inside ^= rect.contains(x, y);
      ASSERT_EQ(inside, IsInsideRounded(x, y, 0, 0, w, h, radius)) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowRegion,
                         ::testing::Values(RegionCase{110, 29, 12}, RegionCase{75, 23, 7},
                                           RegionCase{100, 24, 13}, RegionCase{9, 5, 3},
                                           RegionCase{4, 4, 0}, RegionCase{31, 13, 5}));

struct LayoutCase {
  int alignment, pw, ph, radius;
  bool pressed;
  ButtonShape::CaptionLayout want;
};

class CaptionLayoutTable : public ::testing::TestWithParam<LayoutCase> {};

// A 110 x 29 button with a 60 x 13 caption.
TEST_P(CaptionLayoutTable, PlacesPictureAndCaption) {
  const LayoutCase& c = GetParam();
  EXPECT_EQ(
      ButtonShape::layoutCaption(c.alignment, 110, 29, c.pw, c.ph, 60, 13, c.radius, c.pressed),
      c.want);
}

INSTANTIATE_TEST_SUITE_P(Designed, CaptionLayoutTable,
                         ::testing::Values(LayoutCase{0, 0, 0, 12, false, {56, 9, 25, 8}},
                                           LayoutCase{0, 0, 0, 12, true, {57, 10, 26, 9}},
                                           LayoutCase{0, 16, 16, 12, false, {48, 1, 25, 16}},
                                           LayoutCase{1, 16, 16, 12, false, {47, 14, 25, 0}},
                                           LayoutCase{2, 16, 16, 0, false, {8, 7, 25, 8}},
                                           LayoutCase{2, 16, 16, 12, false, {12, 7, 25, 8}},
                                           LayoutCase{3, 16, 16, 12, false, {82, 7, 25, 8}},
                                           LayoutCase{9, 16, 16, 12, true, {1, 1, 1, 1}}));

}  // namespace
