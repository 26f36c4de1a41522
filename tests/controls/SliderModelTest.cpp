// The slider's value/pixel arithmetic without Qt: the value setter's range check, the look of a
// press, the drag step on the picker's slider geometry, the range-sized cue and the track tiles.
#include <gtest/gtest.h>

#include <climits>

#include "controls/slider/SliderModel.h"

namespace {

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

// Down inside the cue's span (left < x <= left + width), Over at its left edge and beyond.
TEST(SliderModelTest, APressLooksDownOnTheCueUpToItsRightEdge) {
  for (const auto& [x, look] : {std::pair{74.25, SliderModel::Over},
                                {74.75, SliderModel::Down},
                                {84.25, SliderModel::Down},
                                {84.75, SliderModel::Over}})
    EXPECT_EQ(SliderModel::pressState(x, 74.25, 10), look) << x;
}

// The drag steps beside a channel slider's, which the slider's own walk takes: the 201-pixel
// shade slider, exactly one pixel a unit, reversed and negative bounds, a cue wider than the
// slider.
TEST(SliderModelTest, ADragStepPlacesTheCueAndReadsItsValue) {
  const struct {
    const char* what;
    double left, inner, cue;
    std::int32_t min, max;
    float wantLeft;
    std::int32_t wantValue;
  } cases[] = {
      {"shade slider middle", 95, 201, 10, 0, 255, 95, 127},
      {"one pixel a unit", 50, 110, 10, 0, 100, 50, 50},
      {"reversed bounds, left end", 0, 110, 10, 10, 0, 0, 10},
      {"reversed bounds, middle", 50, 110, 10, 10, 0, 50, 5},
      {"reversed bounds, right end", 100, 110, 10, 10, 0, 100, 0},
      {"negative bounds", 50, 110, 10, -20, -10, 50, -15},
      // The right-end test comes second: a cue wider than the slider ends left of 0 and reads
      // as Max.
      {"cue wider than the slider", 3, 8, 10, 0, 100, -2, 100},
  };
  for (const auto& c : cases) {
    const auto step = SliderModel::dragTo(c.left, c.inner, c.cue, c.min, c.max);
    ASSERT_TRUE(step.has_value()) << c.what;
    EXPECT_FLOAT_EQ(step->cueLeft, c.wantLeft) << c.what;
    EXPECT_EQ(step->value, c.wantValue) << c.what;
  }
}

// Equal bounds or a cue that fills the width would divide by zero; the widest bounds must not
// overflow.
TEST(SliderModelTest, NoDivisionByZeroAndNoOverflow) {
  EXPECT_FALSE(SliderModel::dragTo(40, 158, 10, 50, 50).has_value());
  EXPECT_FALSE(SliderModel::dragTo(40, 158, 158, 0, 255).has_value());
  EXPECT_FALSE(SliderModel::unitWidth(158, 10, 3, 3).has_value());
  EXPECT_FALSE(SliderModel::rangeCueWidth(158, 3, 3).has_value());
  EXPECT_FALSE(SliderModel::valueAt(7, 0, 0.0).has_value());
  const double unit = *SliderModel::unitWidth(158, 10, INT_MIN, INT_MAX);
  EXPECT_NEAR(SliderModel::cueLeftFor(INT_MAX, INT_MIN, unit), 148.0f, 0.001);
  EXPECT_EQ(SliderModel::rangeCueWidth(158, INT_MIN, INT_MAX), 0);
}

TEST(SliderModelTest, ValuesRoundHalfToEvenAndTheRangeSizedCueDropsTheFraction) {
  EXPECT_EQ(SliderModel::valueAt(5, 0, 2.0), 2);  // 2.5
  EXPECT_EQ(SliderModel::valueAt(7, 0, 2.0), 4);  // 3.5
  EXPECT_EQ(SliderModel::valueAt(7, 10, 2.0), 14);
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
