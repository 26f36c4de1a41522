#include <gtest/gtest.h>

#include <array>

#include "color/twCMYK.h"

namespace {

// Both directions over the same kind of table: RGB in (CMYK out), and CMYK in (RGB out, CMYK
// kept as set, its low byte only).
TEST(TwCMYKTest, EachModelDerivesTheOther) {
  const struct {
    int r, g, b, c, m, y, k;
  } fromRgb[] = {{0, 0, 0, 255, 255, 255, 255},  // black reads 255 four times
                 {255, 255, 255, 0, 0, 0, 0},   {255, 0, 0, 0, 255, 255, 0},
                 {128, 128, 128, 0, 0, 0, 127}, {200, 100, 50, 0, 128, 191, 55},
                 {5, 6, 6, 42, 0, 0, 249},   // 42.5 rounds to even
                 {1, 2, 2, 128, 0, 0, 253},  // 127.5 rounds to even
                 {255, 128, 0, 0, 127, 255, 0}};
  for (const auto& p : fromRgb) {
    twCMYK color;
    color.R(p.r);
    color.G(p.g);
    color.b(p.b);
    EXPECT_EQ((std::array{color.C(), color.M(), color.y(), color.K()}),
              (std::array{p.c, p.m, p.y, p.k}))
        << p.r << " " << p.g << " " << p.b;
  }
  const struct {
    int c, m, y, k, r, g, b;
  } fromCmyk[] = {{100, 0, 0, 0, 155, 255, 255},     {0, 0, 0, 255, 0, 0, 0},
                  {128, 0, 0, 128, 63, 127, 127},    {0, 0, 0, 0, 255, 255, 255},
                  {100, 100, 100, 0, 155, 155, 155}, {256 + 100, -1, 0, 0, 155, 0, 255}};
  for (const auto& p : fromCmyk) {
    twCMYK color;
    color.FromCMYK(p.c, p.m, p.y, p.k);
    EXPECT_EQ(
        (std::array{color.R(), color.G(), color.b(), color.C(), color.M(), color.y(), color.K()}),
        (std::array{p.r, p.g, p.b, p.c & 255, p.m & 255, p.y & 255, p.k & 255}))
        << p.c << " " << p.m << " " << p.y << " " << p.k;
  }
}

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
