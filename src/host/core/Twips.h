#pragma once

#include <cstdint>

#include "host/core/Convert.h"

// Twips: 1/1440 inch, the unit of the stored window and control geometry. Pure: no Qt.
namespace host {

inline constexpr int kTwipsPerInch = 1440;

// Twips per pixel for a logical DPI: 15 at 96 DPI, 12 at 120, 10 at 144.
constexpr double twipsPerPixelFor(double logicalDpi) {
  return logicalDpi > 0 ? kTwipsPerInch / logicalDpi : 15.0;
}

// Twips to whole pixels, rounded half to even like every conversion of the runtime.
inline int twipsToPixels(int twips, double twipsPerPixel) {
  return roundHalfEven(static_cast<double>(twips) / twipsPerPixel);
}

inline int pixelsToTwips(int pixels, double twipsPerPixel) {
  return roundHalfEven(static_cast<double>(pixels) * twipsPerPixel);
}

// A rectangle in twips as the stored design gives it: left, top, width, height.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

}  // namespace host
