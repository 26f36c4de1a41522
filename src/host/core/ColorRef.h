#pragma once

#include <cstdint>

namespace host {

// A color as the platform passes it around: 0x00BBGGRR, red in the low byte. A value with the
// high bit set names a system color (0x80000000 + index) and must go through OleTranslateColor
// before it is drawn.
using ColorRef = std::uint32_t;

// What a pixel read returns for a point that no screen covers: all 32 bits set.
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;

inline constexpr ColorRef kSystemColorFlag = 0x80000000u;

constexpr ColorRef RGB(int r, int g, int b) {
  return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
         (static_cast<ColorRef>(b & 0xFF) << 16);
}

constexpr int redOf(ColorRef c) {
  return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(ColorRef c) {
  return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blueOf(ColorRef c) {
  return static_cast<int>((c >> 16) & 0xFFu);
}

constexpr bool isSystemColor(ColorRef c) {
  return (c & kSystemColorFlag) != 0 && c != kInvalidColor;
}

// 0x00RRGGBB, the order of a QRgb / an HTML color, with the alpha byte cleared.
constexpr std::uint32_t toRgb24(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColorRef fromRgb24(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// Common system color indices (the low bits of a system ColorRef).
namespace SystemColor {
inline constexpr ColorRef WindowBackground = kSystemColorFlag | 5u;
inline constexpr ColorRef WindowText = kSystemColorFlag | 8u;
inline constexpr ColorRef ButtonFace = kSystemColorFlag | 15u;
inline constexpr ColorRef ButtonShadow = kSystemColorFlag | 16u;
inline constexpr ColorRef ButtonText = kSystemColorFlag | 18u;
inline constexpr ColorRef ButtonHighlight = kSystemColorFlag | 20u;
}  // namespace SystemColor

}  // namespace host
