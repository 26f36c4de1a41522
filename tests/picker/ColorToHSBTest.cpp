#include <gtest/gtest.h>

#include <array>

#include "host/core/ColorRef.h"
#include "picker/ColorToHSB.h"

namespace {

struct HsbCase {
  int r, g, b;
  int hue, saturation, brightness;
};

class ColorToHSBTable : public ::testing::TestWithParam<HsbCase> {};

TEST_P(ColorToHSBTable, GivesHueSaturationBrightness) {
  const HsbCase& p = GetParam();
  std::array<std::int32_t, 3> out{-9, -9, -9};
  ColorToHSB(out, static_cast<std::int32_t>(host::RGB(p.r, p.g, p.b)));
  EXPECT_EQ(out, (std::array{p.hue, p.saturation, p.brightness}));
  EXPECT_EQ((std::array{hsb::lastHue(), hsb::lastSaturation(), hsb::lastBrightness()}), out);
}

INSTANTIATE_TEST_SUITE_P(
    Designed, ColorToHSBTable,
    ::testing::Values(HsbCase{255, 128, 0, 30, 100, 100}, HsbCase{255, 0, 0, 0, 100, 100},
                      HsbCase{255, 255, 0, 60, 100, 100},  // red and green tie: red wins
                      HsbCase{0, 255, 255, 180, 100, 100}, HsbCase{255, 0, 255, 300, 100, 100},
                      HsbCase{255, 0, 1, 360, 100, 100},  // not wrapped to 0
                      HsbCase{255, 255, 255, 0, 0, 100}, HsbCase{0, 0, 0, 0, 0, 0},
                      HsbCase{128, 128, 128, 0, 0, 50},
                      HsbCase{200, 199, 199, 0, 0, 78},  // saturation 0.5 rounds to 0
                      HsbCase{16, 9, 8, 8, 50, 6},       // delta 8: 7.5 rounds to 8
                      HsbCase{16, 11, 8, 22, 50, 6},     // 22.5 rounds to 22
                      HsbCase{0, 0, 255, 240, 100, 100}, HsbCase{0, 255, 0, 120, 100, 100},
                      HsbCase{16, 16, 15, 60, 6, 6},        // the smallest spread, 1
                      HsbCase{1, 0, 0, 0, 100, 0},          // brightness 0.39 % reads 0
                      HsbCase{8, 16, 255, 238, 97, 100}));  // blue highest, red below green

TEST(ColorToHSBTest, TheHighByteOfTheInvalidColorIsIgnored) {
  std::array<std::int32_t, 3> out{};
  ColorToHSB(out, static_cast<std::int32_t>(host::kInvalidColor));
  EXPECT_EQ(out, (std::array<std::int32_t, 3>{0, 0, 100}));
}

}  // namespace
