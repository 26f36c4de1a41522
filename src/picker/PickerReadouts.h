#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/core/ColorRef.h"

class twCMYK;

// Everything one sampling tick shows, worked out from the cursor position and the pixel color
// as plain values, so it can be checked without a window. Texts are UTF-8.
struct PickerReadouts {
  std::string mouse;      // "X: 640  Y: 480"
  host::ColorRef swatch;  // the color shown by the swatch (white for an unreadable pixel)
  std::int32_t red, green, blue;
  std::string hex;     // "FF8000"
  std::string vbLong;  // "&H0080FF&"
  std::int32_t hue, saturation, brightness;
  std::string hueText;  // "30°"
  std::int32_t grey;
  host::ColorRef greySwatch;
  std::int32_t cyan, magenta, yellow, black;  // percent
};

// The readouts for pixel color `c` under the cursor at (x, y) screen pixels. Feeds red, green
// and blue to `cmyk` (the window's CMYK object) and reads the four channels back.
PickerReadouts readoutsFor(int x, int y, host::ColorRef c, twCMYK& cmyk);

// "12 %" for a CMYK percentage.
std::string percentText(std::int32_t p);

// How far an arrow key moves the pointer, in physical screen pixels (dx, dy): one pixel, ten with
// Shift. Nothing for other keys, or with Ctrl or Alt held (left to the control with the focus).
struct PointerStep {
  int dx = 0;
  int dy = 0;
};
std::optional<PointerStep> nudgeFor(int keyCode, int shift);
