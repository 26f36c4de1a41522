// The slider's value/pixel arithmetic without Qt: the value setter's range check, the drag
// step on the picker's slider geometry, the range-sized cue and the track tiles.
#include <gtest/gtest.h>

#include <climits>

#include "controls/slider/SliderModel.h"

namespace {

using SliderModel::DragStep;

TEST(SliderModelTest, ValueSetterAcceptsInsideTheBoundsEitherWayRound) {
  struct Case {
    std::int32_t min, max, v;
    bool accepted;
  };
  for (const Case c : {Case{0, 255, 255, true}, Case{0, 255, 0, true}, Case{0, 255, 300, false},
                       Case{0, 255, -1, false}, Case{10, 0, 5, true}, Case{10, 0, 11, false},
                       Case{10, 0, 0, true}, Case{7, 7, 7, false}}) {
    EXPECT_EQ(SliderModel::accepts(c.min, c.max, c.v), c.accepted)
        << c.min << ".." << c.max << " value " << c.v;
  }
}

struct DragCase {
  const char* what;
  double left, inner, cue;
  std::int32_t min, max;
  float wantLeft;
  std::int32_t wantValue;
};

class DragStepTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragStepTest, PlacesTheCueAndReadsItsValue) {
  const DragCase& c = GetParam();
  const std::optional<DragStep> step = SliderModel::dragTo(c.left, c.inner, c.cue, c.min, c.max);
  ASSERT_TRUE(step.has_value());
  EXPECT_FLOAT_EQ(step->cueLeft, c.wantLeft);
  EXPECT_EQ(step->value, c.wantValue);
}

// The picker's channel sliders are 158 pixels wide with a 10-pixel cue over 0..255: the pointer
// at x centres the cue at x - 5. (Drags past either end are pinned on the slider itself.)
INSTANTIATE_TEST_SUITE_P(
    Cases, DragStepTest,
    ::testing::Values(DragCase{"pointer at 100", 95, 158, 10, 0, 255, 95, 164},
                      DragCase{"pointer at 6", 1, 158, 10, 0, 255, 1, 2},
                      DragCase{"pointer at 153", 148, 158, 10, 0, 255, 148, 255},
                      DragCase{"pointer at 5", 0, 158, 10, 0, 255, 0, 0},
                      DragCase{"shade slider middle", 95, 201, 10, 0, 255, 95, 127},
                      DragCase{"reversed bounds, left end", 0, 110, 10, 10, 0, 0, 10},
                      DragCase{"reversed bounds, middle", 50, 110, 10, 10, 0, 50, 5},
                      DragCase{"reversed bounds, right end", 100, 110, 10, 10, 0, 100, 0},
                      DragCase{"negative bounds", 50, 110, 10, -20, -10, 50, -15},
                      // The right-end test comes second: a cue wider than the slider ends left of
                      // 0 and reads as Max.
                      DragCase{"cue wider than the slider", 3, 8, 10, 0, 100, -2, 100}));

TEST(SliderModelTest, NoDragWhereTheArithmeticWouldDivideByZero) {
  EXPECT_FALSE(SliderModel::dragTo(40, 158, 10, 50, 50).has_value());   // equal bounds
  EXPECT_FALSE(SliderModel::dragTo(40, 158, 158, 0, 255).has_value());  // cue fills the width
  EXPECT_FALSE(SliderModel::unitWidth(158, 10, 3, 3).has_value());
  EXPECT_FALSE(SliderModel::rangeCueWidth(158, 3, 3).has_value());
}

TEST(SliderModelTest, TheWidestBoundsDoNotOverflow) {
  const double unit = *SliderModel::unitWidth(158, 10, INT_MIN, INT_MAX);
  EXPECT_NEAR(SliderModel::cueLeftFor(INT_MAX, INT_MIN, unit), 148.0f, 0.001);
  EXPECT_EQ(SliderModel::rangeCueWidth(158, INT_MIN, INT_MAX), 0);
}

TEST(SliderModelTest, ValuesRoundHalfToEven) {
  EXPECT_EQ(SliderModel::valueAt(5, 0, 2.0), 2);  // 2.5
  EXPECT_EQ(SliderModel::valueAt(7, 0, 2.0), 4);  // 3.5
  EXPECT_EQ(SliderModel::valueAt(7, 10, 2.0), 14);
  EXPECT_FALSE(SliderModel::valueAt(7, 0, 0.0).has_value());
}

TEST(SliderModelTest, RangeSizedCueDropsTheFraction) {
  EXPECT_EQ(SliderModel::rangeCueWidth(158, 10, 0), 15);   // reversed bounds
  EXPECT_EQ(SliderModel::rangeCueWidth(158.5, 0, 2), 79);  // 158.5 rounds to 158
}

TEST(SliderModelTest, TrackTilesCoverTheWidthAndNeverLoopForever) {
  EXPECT_EQ(SliderModel::tileCount(158, 157), 2);  // at 0 and 157
  EXPECT_EQ(SliderModel::tileCount(157, 157), 2);  // a tile starting on the last column counts
  EXPECT_EQ(SliderModel::tileCount(201, 200), 2);
  EXPECT_EQ(SliderModel::tileCount(158, 269), 1);
  EXPECT_EQ(SliderModel::tileCount(158, 0.4), 0);  // rounds to 0
  EXPECT_EQ(SliderModel::tileCount(158, -3), 0);
  EXPECT_EQ(SliderModel::tileCount(10, 2.5), 6);  // 2.5 rounds to 2: 0, 2, ... 10
}

}  // namespace
