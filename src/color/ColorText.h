#pragma once

#include <string>

#include "host/core/ColorRef.h"

// Every text the program writes for a color, from its ColorRef (0x00BBGGRR). Only the low 24 bits
// count, so an unreadable pixel (all 32 set) reads as white. ASCII, hexadecimal digits upper-case.
namespace ColorText {

// Six hexadecimal digits, red first: "FF8000" (the picker's "#:" box).
std::string hex(host::ColorRef c);
// "#" and the six digits, red first: "#FF8000" (the mixer's HTML color).
std::string html(host::ColorRef c);
// A Basic long literal, always six digits, blue first: "&H0080FF&" (the picker's "VB Long" box,
// the mixer's VB hex color).
std::string vbLong(host::ColorRef c);
// One channel (0..255) in decimal, at least two digits: "05", "128" (the mixer's channel boxes).
std::string decimal(int channel);

}  // namespace ColorText
