#include <gtest/gtest.h>

#include <array>

#include "color/twCMYK.h"
#include "host/core/ColorRef.h"
#include "picker/ColorToHSB.h"
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

// Hue in whole degrees (360 kept apart from 0), saturation and brightness in whole percents.
TEST(ColorToHSBTest, GivesHueSaturationBrightness) {
  const struct {
    int r, g, b, hue, saturation, brightness;
  } cases[] = {
      {255, 128, 0, 30, 100, 100},  {255, 0, 0, 0, 100, 100},
      {255, 255, 0, 60, 100, 100},  // red and green tie: red wins
      {0, 255, 255, 180, 100, 100}, {255, 0, 255, 300, 100, 100},
      {255, 0, 1, 360, 100, 100},  // not wrapped to 0
      {255, 255, 255, 0, 0, 100},   {0, 0, 0, 0, 0, 0},
      {128, 128, 128, 0, 0, 50},    {200, 199, 199, 0, 0, 78},  // saturation 0.5 rounds to 0
      {16, 9, 8, 8, 50, 6},                                     // delta 8: 7.5 rounds to 8
      {16, 11, 8, 22, 50, 6},                                   // 22.5 rounds to 22
      {0, 0, 255, 240, 100, 100},   {0, 255, 0, 120, 100, 100},
      {16, 16, 15, 60, 6, 6},  // the smallest spread, 1
      {1, 0, 0, 0, 100, 0},    // brightness 0.39 % reads 0
      {8, 16, 255, 238, 97, 100}};
  for (const auto& c : cases) {
    std::array<std::int32_t, 3> out{-9, -9, -9};
    ColorToHSB(out, static_cast<std::int32_t>(host::RGB(c.r, c.g, c.b)));
    EXPECT_EQ(out, (std::array{c.hue, c.saturation, c.brightness}))
        << c.r << " " << c.g << " " << c.b;
    EXPECT_EQ((std::array{hsb::lastHue(), hsb::lastSaturation(), hsb::lastBrightness()}), out);
  }
  // The high byte of the invalid color is ignored: it reads as white.
  std::array<std::int32_t, 3> out{};
  ColorToHSB(out, static_cast<std::int32_t>(host::kInvalidColor));
  EXPECT_EQ(out, (std::array<std::int32_t, 3>{0, 0, 100}));
}

}  // namespace
