#pragma once

#include "host/core/ColorRef.h"

// The program's fixed colors, as ColorRefs (0x00BBGGRR: 0x0000FF is red, 0xFF0000 blue).
namespace Palette {

inline constexpr host::ColorRef kBlack = 0x000000;
inline constexpr host::ColorRef kWhite = 0xFFFFFF;
inline constexpr host::ColorRef kLightGrey = 0xE0E0E0;
inline constexpr host::ColorRef kSilver = 0xC0C0C0;
inline constexpr host::ColorRef kGrey = 0x808080;
inline constexpr host::ColorRef kDarkGrey = 0x404040;
inline constexpr host::ColorRef kNearBlack = 0x222222;  // the picker's top and bottom bands
inline constexpr host::ColorRef kRed = 0x0000FF;
inline constexpr host::ColorRef kDarkRed = 0x000080;
inline constexpr host::ColorRef kGreen = 0x00FF00;
inline constexpr host::ColorRef kBlue = 0xFF0000;
inline constexpr host::ColorRef kDarkBlue = 0x800000;
inline constexpr host::ColorRef kYellow = 0x00FFFF;
inline constexpr host::ColorRef kCyan = 0xFFFF00;
// The far end of the picker's background gradient and of the logo strip: red 3, green 24,
// blue 211.
inline constexpr host::ColorRef kGradientBlue = 0xD31803;

}  // namespace Palette
