#pragma once

#include <array>
#include <cstdint>

// Hue (degrees, 0..360 unwrapped), saturation and brightness (percent) of a ColorRef in the
// HSB/HSV model. Two lookup tables are filled on the first call; the results of the last call
// are also kept and can be read back.
void ColorToHSB(std::array<std::int32_t, 3>& result, std::int32_t color);

namespace hsb {
std::int32_t lastHue();
std::int32_t lastSaturation();
std::int32_t lastBrightness();
}  // namespace hsb
