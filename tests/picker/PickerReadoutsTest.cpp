#include <gtest/gtest.h>

#include "color/twCMYK.h"
#include "host/core/ColorRef.h"
#include "picker/PickerReadouts.h"

namespace {

struct ReadoutCase {
  const char* what;
  host::ColorRef color;
  const char* hue;
  int saturation, brightness, grey;
  int c, m, y, k;
};

class ReadoutsTable : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(ReadoutsTable, EveryNotation) {
  const ReadoutCase& p = GetParam();
  twCMYK cmyk;
  cmyk.RGB(0);
  const PickerReadouts r = readoutsFor(640, 480, p.color, cmyk);
  EXPECT_EQ(r.red, host::redOf(p.color));
  EXPECT_EQ(r.green, host::greenOf(p.color));
  EXPECT_EQ(r.blue, host::blueOf(p.color));
  EXPECT_EQ(r.hueText, p.hue);
  EXPECT_EQ(r.saturation, p.saturation);
  EXPECT_EQ(r.brightness, p.brightness);
  EXPECT_EQ(r.grey, p.grey);
  EXPECT_EQ(r.greySwatch, host::RGB(p.grey, p.grey, p.grey));
  EXPECT_EQ(r.swatch, p.color & 0xFFFFFFu);
  EXPECT_EQ((std::array{r.cyan, r.magenta, r.yellow, r.black}), (std::array{p.c, p.m, p.y, p.k}));
}

INSTANTIATE_TEST_SUITE_P(
    Designed, ReadoutsTable,
    ::testing::Values(
        ReadoutCase{"orange", 0x0080FF, "30°", 100, 100, 147, 0, 50, 100, 0},
        ReadoutCase{"red", 0x0000FF, "0°", 100, 100, 56, 0, 100, 100, 0},
        ReadoutCase{"white", 0xFFFFFF, "0°", 0, 100, 255, 0, 0, 0, 0},
        ReadoutCase{"black", 0x000000, "0°", 0, 0, 0, 100, 100, 100, 100},
        ReadoutCase{"grey", 0x808080, "0°", 0, 50, 128, 0, 0, 0, 50},
        ReadoutCase{"blue", 0xFF0000, "240°", 100, 100, 18, 100, 100, 0, 0},
        ReadoutCase{"hue360", 0x0100FF, "360°", 100, 100, 56, 0, 100, 100, 0},
        ReadoutCase{"darkTeal", 0x030201, "210°", 67, 1, 1, 67, 33, 0, 99},
        // An unreadable pixel: every readout shows white and the swatch goes white too.
        ReadoutCase{"invalid", host::kInvalidColor, "0°", 0, 100, 255, 0, 0, 0, 0}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

TEST(ReadoutsTest, MousePositionKeepsSignsAndTwoSpaces) {
  twCMYK cmyk;
  EXPECT_EQ(readoutsFor(640, 480, 0, cmyk).mouse, "X: 640  Y: 480");
  EXPECT_EQ(readoutsFor(-200, 15, 0, cmyk).mouse, "X: -200  Y: 15");
  EXPECT_EQ(readoutsFor(0, -1, 0, cmyk).mouse, "X: 0  Y: -1");
  EXPECT_EQ(percentText(100), "100 %");
}

}  // namespace
