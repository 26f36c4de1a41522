// The runtime's core rules: numbers rounded half to even, twips to pixels, and statement-wise
// error skipping, which drops run-time errors and not programming errors.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "host/core/Convert.h"
#include "host/core/RuntimeError.h"
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
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                                           RoundCase{2.4999999, 2}, RoundCase{2.5000001, 3},
                                           RoundCase{-7.6, -8}, RoundCase{1e12, 2147483647},
                                           RoundCase{-1e12, -2147483647 - 1}));

TEST(TwipsTest, TwipsRoundToPixelsHalfToEven) {
  EXPECT_EQ(host::twipsToPixels(4755, 15.0), 317);
  EXPECT_EQ(host::twipsToPixels(4755, 12.0), 396);  // 396.25
  EXPECT_EQ(host::twipsToPixels(-15, 15.0), -1);
  EXPECT_EQ(host::twipsToPixels(50, 20.0), 2);  // 2.5 rounds to even
  EXPECT_EQ(host::pixelsToTwips(317, 15.0), 4755);
}

TEST(SkipOnErrorTest, ARunTimeErrorSkipsOnlyItsStatement) {
  std::vector<int> ran;
  host::skipOnError([&] {
    ran.push_back(1);
    throw host::RuntimeError(host::kErrInvalidProcedureCall, "Test", "Invalid parameter");
  });
  host::skipOnError([&] { ran.push_back(2); });
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_THROW(host::skipOnError([] { throw std::out_of_range("index"); }), std::out_of_range);
}

}  // namespace
