#include "ColorToHSB.h"

#include "host/core/Convert.h"

namespace {

// Entry i: i * 100 / 255 rounded (no entry falls on a half).
std::array<std::int32_t, 256> PercentTable{};
// Entry i (1..255): 60 / i in single precision; entry 0 is never read.
std::array<float, 256> SixtyTable{};
// The filling loop's counter: 0 only before the first call.
int g_filled = 0;

std::int32_t g_hue = 0;
std::int32_t g_saturation = 0;
std::int32_t g_brightness = 0;

void fillTables() {
  for (g_filled = 0; g_filled < 256; ++g_filled) {
    PercentTable[static_cast<std::size_t>(g_filled)] =
        host::roundHalfEven(g_filled * 100.0 / 255.0);
    if (g_filled > 0) {
      SixtyTable[static_cast<std::size_t>(g_filled)] = 60.0f / static_cast<float>(g_filled);
    }
  }
}

}  // namespace

void ColorToHSB(std::array<std::int32_t, 3>& result, std::int32_t color) {
  if (g_filled == 0) fillTables();

  const std::int32_t r = color & 255;
  const std::int32_t g = (color >> 8) & 255;
  const std::int32_t b = (color >> 16) & 255;

  std::int32_t max;
  std::int32_t min;
  if (r > g) {
    max = r;
    min = g;
  } else {
    max = g;
    min = r;
  }
  if (b > max) {
    max = b;
  } else if (b < min) {
    min = b;
  }

  const std::int32_t delta = max - min;
  const std::int32_t brightness = PercentTable[static_cast<std::size_t>(max)];
  std::int32_t hue = 0;
  std::int32_t saturation = 0;
  if (delta != 0) {
    saturation = host::roundHalfEven(static_cast<double>(delta) * 100.0 / max);
    // The single-precision factor widened to double: products and sums below are exact there.
    const auto f = static_cast<double>(SixtyTable[static_cast<std::size_t>(delta)]);
    double h;
    if (max == r) {
      h = b > g ? (g - b) * f + 360.0 : (g - b) * f;
    } else if (max == g) {
      h = (b - r) * f + 120.0;
    } else {
      h = (r - g) * f + 240.0;
    }
    hue = host::roundHalfEven(h);
  }

  result = {hue, saturation, brightness};
  g_hue = hue;
  g_saturation = saturation;
  g_brightness = brightness;
}

namespace hsb {
std::int32_t lastHue() {
  return g_hue;
}
std::int32_t lastSaturation() {
  return g_saturation;
}
std::int32_t lastBrightness() {
  return g_brightness;
}
}  // namespace hsb
