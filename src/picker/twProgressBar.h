#pragma once

#include <cstdint>

#include "host/core/ColorRef.h"

namespace host {
class PictureBox;
}

// The seven bar graphs of the picker: one routine drawn into seven picture boxes. Each takes
// the scale maximum, the value, and a third argument that is not used (callers pass the value
// twice). The caller sets the box's drawing color, raster mode and background first.
namespace twProgressBar {

// The bars' pens (ColorRefs, 0x00BBGGRR), drawn with the not-XOR pen on white so each shows as
// it is.
inline constexpr host::ColorRef kRedPen = 0x0000FF;
inline constexpr host::ColorRef kGreenPen = 0x00FF00;
inline constexpr host::ColorRef kBluePen = 0xFF0000;
inline constexpr host::ColorRef kCyanPen = 0xFFFF00;
inline constexpr host::ColorRef kMagentaPen = 0xFF00FF;
inline constexpr host::ColorRef kYellowPen = 0x00FFFF;
inline constexpr host::ColorRef kBlackPen = 0x000000;

// Scales the box to `max` units high, then draws a box filled in ForeColor from the bottom edge
// up to `value` units; a value above the maximum leaves the previous bar as it was.
void drawBar(host::PictureBox& box, std::int32_t max, std::int32_t value);

// The painters of the red, green and blue bars (maximum 255) and the cyan, magenta and yellow
// bars (maximum 100).
inline void DrawBarRed(host::PictureBox& box, std::int32_t max, std::int32_t value, std::int32_t) {
  drawBar(box, max, value);
}
inline void DrawBarGreen(host::PictureBox& box, std::int32_t max, std::int32_t value,
                         std::int32_t) {
  drawBar(box, max, value);
}
inline void DrawBarBlue(host::PictureBox& box, std::int32_t max, std::int32_t value, std::int32_t) {
  drawBar(box, max, value);
}
inline void DrawBarCyan(host::PictureBox& box, std::int32_t max, std::int32_t value, std::int32_t) {
  drawBar(box, max, value);
}
inline void DrawBarMagenta(host::PictureBox& box, std::int32_t max, std::int32_t value,
                           std::int32_t) {
  drawBar(box, max, value);
}
inline void DrawBarYellow(host::PictureBox& box, std::int32_t max, std::int32_t value,
                          std::int32_t) {
  drawBar(box, max, value);
}
// Also lets pending window messages run after drawing, so the magnifier and user input get
// their turn at the end of every sampling tick.
void DrawBarBlack(host::PictureBox& box, std::int32_t max, std::int32_t value, std::int32_t unused);

}  // namespace twProgressBar
