#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/ColorRef.h"
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
                      HsbCase{0, 0, 255, 240, 100, 100}, HsbCase{0, 255, 0, 120, 100, 100}));

TEST(ColorToHSBTest, TheHighByteOfTheInvalidColorIsIgnored) {
  std::array<std::int32_t, 3> out{};
  ColorToHSB(out, static_cast<std::int32_t>(host::kInvalidColor));
  EXPECT_EQ(out, (std::array<std::int32_t, 3>{0, 0, 100}));
}

// An independent HSV computation in double precision; the routine may differ only by its
// rounding (within half a unit, ties to even) and by showing 360 where the hue rounds up to it.
TEST(ColorToHSBTest, AgreesWithAPlainHsvComputation) {
  std::array<std::int32_t, 3> out{};
  int checked = 0;
  for (int r = 0; r < 256; r += 3) {
    for (int g = 0; g < 256; g += 5) {
      for (int b = 0; b < 256; b += 1) {
        ColorToHSB(out, static_cast<std::int32_t>(host::RGB(r, g, b)));
        const double mx = std::max({r, g, b});
        const double mn = std::min({r, g, b});
        const double d = mx - mn;
        const double v = mx / 255.0 * 100.0;
        const double s = mx == 0 ? 0 : d / mx * 100.0;
        double h = 0;
        if (d > 0) {
          if (mx == r) {
            h = std::fmod(60.0 * (g - b) / d + 360.0, 360.0);
          } else if (mx == g) {
            h = 60.0 * (b - r) / d + 120.0;
          } else {
            h = 60.0 * (r - g) / d + 240.0;
          }
        }
        ASSERT_EQ(out[2], std::lround(v)) << r << "," << g << "," << b;
        ASSERT_LE(std::abs(out[1] - s), 0.5 + 1e-9) << r << "," << g << "," << b;
        ASSERT_LE(std::abs(out[0] - h), 0.5 + 1e-4) << r << "," << g << "," << b;
        ASSERT_GE(out[0], 0);
        ASSERT_LE(out[0], 360);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 400000);
}

}  // namespace
