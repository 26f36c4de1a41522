#include "PickerReadouts.h"

#include <algorithm>
#include <array>

#include "ColorToHSB.h"
#include "color/ColorText.h"
#include "color/twCMYK.h"
#include "host/core/Convert.h"
#include "host/core/InputCodes.h"

namespace {
std::int32_t percentOf(std::int32_t channel) {
  return host::roundHalfEven(channel / 255.0 * 100.0);
}
}  // namespace

std::string percentText(std::int32_t p) {
  return std::to_string(p) + " %";
}

PickerReadouts readoutsFor(int x, int y, host::ColorRef c, twCMYK& cmyk) {
  PickerReadouts out{};
  out.mouse = "X: " + std::to_string(x) + "  Y: " + std::to_string(y);
  // An unreadable pixel (all 32 bits set) reads as white everywhere, the swatch included.
  out.swatch = c & 0xFFFFFFu;

  out.red = host::redOf(c);
  out.green = host::greenOf(c);
  out.blue = host::blueOf(c);
  out.hex = ColorText::hex(c);
  out.vbLong = ColorText::vbLong(c);

  std::array<std::int32_t, 3> hsbValues{};
  ColorToHSB(hsbValues, static_cast<std::int32_t>(c));
  out.hue = hsbValues[0];
  out.saturation = hsbValues[1];
  out.brightness = hsbValues[2];
  out.hueText = std::to_string(out.hue) + "\u00B0";

  out.grey = std::clamp((222 * out.red + 707 * out.green + 71 * out.blue) / 1000, 0, 255);
  out.greySwatch = host::RGB(out.grey, out.grey, out.grey);

  cmyk.R(out.red);
  cmyk.G(out.green);
  cmyk.b(out.blue);
  out.cyan = percentOf(cmyk.C());
  out.magenta = percentOf(cmyk.M());
  out.yellow = percentOf(cmyk.y());
  out.black = percentOf(cmyk.K());
  return out;
}

std::optional<PointerStep> nudgeFor(int keyCode, int shift) {
  if ((shift & (host::kCtrlMask | host::kAltMask)) != 0) return std::nullopt;
  const int n = (shift & host::kShiftMask) != 0 ? 10 : 1;
  switch (keyCode) {
    case host::kKeyLeft:
      return PointerStep{-n, 0};
    case host::kKeyRight:
      return PointerStep{n, 0};
    case host::kKeyUp:
      return PointerStep{0, -n};
    case host::kKeyDown:
      return PointerStep{0, n};
    default:
      return std::nullopt;
  }
}
