#include <gtest/gtest.h>

#include "color/twCMYK.h"

namespace {

struct RgbCase {
  int r, g, b;
  int c, m, y, k;
};

class RgbToCmyk : public ::testing::TestWithParam<RgbCase> {};

TEST_P(RgbToCmyk, DerivesAllFourChannels) {
  const RgbCase& p = GetParam();
  twCMYK color;
  color.R(p.r);
  color.G(p.g);
  color.b(p.b);
  EXPECT_EQ(color.C(), p.c);
  EXPECT_EQ(color.M(), p.m);
  EXPECT_EQ(color.y(), p.y);
  EXPECT_EQ(color.K(), p.k);
}

INSTANTIATE_TEST_SUITE_P(
    DesignedExamples, RgbToCmyk,
    ::testing::Values(RgbCase{0, 0, 0, 255, 255, 255, 255},  // black reads 255 four times
                      RgbCase{255, 255, 255, 0, 0, 0, 0}, RgbCase{255, 0, 0, 0, 255, 255, 0},
                      RgbCase{128, 128, 128, 0, 0, 0, 127}, RgbCase{200, 100, 50, 0, 128, 191, 55},
                      RgbCase{5, 6, 6, 42, 0, 0, 249},   // 42.5 rounds to even
                      RgbCase{1, 2, 2, 128, 0, 0, 253},  // 127.5 rounds to even
                      RgbCase{255, 128, 0, 0, 127, 255, 0}));

struct CmykCase {
  int c, m, y, k;
  int r, g, b;
};

class FromCmyk : public ::testing::TestWithParam<CmykCase> {};

TEST_P(FromCmyk, DerivesRgbAndKeepsCmykAsSet) {
  const CmykCase& p = GetParam();
  twCMYK color;
  color.FromCMYK(p.c, p.m, p.y, p.k);
  EXPECT_EQ(color.R(), p.r);
  EXPECT_EQ(color.G(), p.g);
  EXPECT_EQ(color.b(), p.b);
  EXPECT_EQ(color.C(), p.c & 255);
  EXPECT_EQ(color.M(), p.m & 255);
  EXPECT_EQ(color.y(), p.y & 255);
  EXPECT_EQ(color.K(), p.k & 255);
}

INSTANTIATE_TEST_SUITE_P(DesignedExamples, FromCmyk,
                         ::testing::Values(CmykCase{100, 0, 0, 0, 155, 255, 255},
                                           CmykCase{0, 0, 0, 255, 0, 0, 0},
                                           CmykCase{128, 0, 0, 128, 63, 127, 127},
                                           CmykCase{0, 0, 0, 0, 255, 255, 255},
                                           CmykCase{100, 100, 100, 0, 155, 155, 155},
                                           CmykCase{256 + 100, -1, 0, 0, 155, 0, 255}));

TEST(TwCMYKTest, ANewObjectReadsZeroAndEverySingleChannelSetterRecomputesTheOtherModel) {
  twCMYK color;
  EXPECT_EQ(color.RGB() | color.C() | color.M() | color.y() | color.K() | color.R() | color.G() |
                color.b(),
            0);
  color.RGB(0xFFFFFF);
  color.C(255);  // cyan alone: red goes to 0
  EXPECT_EQ(color.RGB(), 0xFFFF00);
  color.M(255);
  color.y(255);
  EXPECT_EQ(color.RGB(), 0);
  color.K(0);
  EXPECT_EQ(color.RGB(), 0);
  color.R(255);  // back to the RGB side: CMYK follows the new red
  EXPECT_EQ(color.C(), 0);
  EXPECT_EQ(color.M(), 255);
}

TEST(TwCMYKTest, SettersKeepOnlyTheLowByte) {
  twCMYK color;
  color.RGB(0x7F0080FF);  // top byte ignored
  EXPECT_EQ(color.RGB(), 0x0080FF);
  EXPECT_EQ(color.R(), 255);
  color.R(256);
  EXPECT_EQ(color.R(), 0);
  EXPECT_EQ(color.C(), 255);
  color.R(-1);
  EXPECT_EQ(color.R(), 255);
  EXPECT_EQ(color.C(), 0);
}

TEST(TwCMYKTest, EveryRgbColorSurvivesTheRoundTrip) {
  twCMYK color;
  twCMYK back;
  int failures = 0;
  for (std::int32_t rgb = 0; rgb < (1 << 24); ++rgb) {
    color.RGB(rgb);
    back.FromCMYK(color.C(), color.M(), color.y(), color.K());
    if (back.RGB() != rgb && ++failures <= 5) {
      ADD_FAILURE() << "RGB " << std::hex << rgb << " came back as " << back.RGB();
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
