#include <gtest/gtest.h>

#include "host/core/ColorRef.h"
#include "host/core/Convert.h"
#include "host/core/Twips.h"

namespace {

struct RoundCase {
  double in;
  int out;
};

class RoundHalfEven : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(host::roundHalfEven(GetParam().in), GetParam().out) << GetParam().in;
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEven,
                         ::testing::Values(RoundCase{42.5, 42}, RoundCase{127.5, 128},
                                           RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                                           RoundCase{2.4999999, 2}, RoundCase{2.5000001, 3},
                                           RoundCase{-7.6, -8}, RoundCase{359.5, 360},
                                           RoundCase{1e12, 2147483647},
                                           RoundCase{-1e12, -2147483647 - 1}));

TEST(RoundHalfEvenTest, SinglePrecisionInputIsRoundedAsHeld) {
  // 0.1f * 25 is not exactly 2.5 once held in single precision, so it is not a tie.
  EXPECT_EQ(host::roundHalfEven(2.5f), 2);
  EXPECT_EQ(host::roundHalfEven(3.5f), 4);
  EXPECT_EQ(host::roundHalfEven(static_cast<float>(60.0f / 8.0f) * 3.0f), 22);
}

TEST(TwipsTest, ConvertsAtCommonDpis) {
  EXPECT_DOUBLE_EQ(host::twipsPerPixelFor(96), 15.0);
  EXPECT_DOUBLE_EQ(host::twipsPerPixelFor(120), 12.0);
  EXPECT_EQ(host::twipsToPixels(4755, 15.0), 317);
  EXPECT_EQ(host::twipsToPixels(3525, 15.0), 235);
  EXPECT_EQ(host::twipsToPixels(4755, 12.0), 396);  // 396.25
  EXPECT_EQ(host::twipsToPixels(-15, 15.0), -1);
  EXPECT_EQ(host::twipsToPixels(30, 20.0), 2);  // 1.5 rounds to even
  EXPECT_EQ(host::pixelsToTwips(317, 15.0), 4755);
}

}  // namespace
