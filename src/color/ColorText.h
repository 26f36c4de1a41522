#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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

// The named notations a color can be copied or printed in. Each example is R 255 G 128 B 0.
//
// The CSS ones are CSS Color 4's, worked out in double from the 8-bit sRGB channels: hsl and hwb
// on the encoded channels; lab and lch in D50 (linear sRGB to XYZ D65, Bradford to D50); oklab and
// oklch from XYZ D65 with CSS Color 4's XYZ-to-LMS and LMS-to-OKLab matrices. Numbers are
// rounded half away from zero to at most: one decimal for hsl and hwb (hue and percentages), two
// for lab and lch (hue too), four for oklab and oklch but two for the oklch hue; trailing zeros and
// a trailing point are dropped ("100%", "30.1"), and a value that rounds to zero is "0", never
// "-0". A hue is in [0, 360): one that rounds to 360 is written 0.
//
// Grey (R = G = B) is decided from the channels, not from the arithmetic: in exact arithmetic its
// a and b are 0 and its hue is undefined, but in floating point a and b come out as tiny numbers
// of either sign, whose angle is noise. So for grey lab and oklab write a and b as 0, lch and
// oklch write chroma 0 and hue "none", and hsl and hwb write hue "none". Every other 8-bit color
// has a real hue, written as computed however small its chroma (the least, near white in oklch, is
// about 0.001, far above the rounding).
//
// hsl and hwb values are ratios of the integer channels; they are divided once, already scaled to
// the last printed digit, so that an exact tie (a hue of 3.75 for R 16 G 1 B 0) is seen as one and
// rounded away from zero.
enum class Notation {
  Hex,        // FF8000, as hex()
  Html,       // #FF8000, as html()
  HexLower,   // #ff8000
  Vb,         // &H0080FF&, as vbLong()
  Decimal,    // 255 128 0
  Rgb,        // rgb(255 128 0)
  RgbLegacy,  // rgb(255, 128, 0)
  Hsl,        // hsl(30.1 100% 50%)
  Hwb,        // hwb(30.1 0% 0%)
  Lab,        // lab(67.82 45.49 74.84)
  Lch,        // lch(67.82 87.58 58.71)
  Oklab,      // oklab(0.7319 0.1119 0.1484)
  Oklch,      // oklch(0.7319 0.1858 52.98)
  Float,      // 1.000 0.502 0.000: each channel / 255, always three decimals
  Qt,         // QColor(255, 128, 0)
};

// Every notation, in the order above (the order a menu or a help text lists them in).
inline constexpr std::array kNotations{
    Notation::Hex, Notation::Html,      Notation::HexLower, Notation::Vb,    Notation::Decimal,
    Notation::Rgb, Notation::RgbLegacy, Notation::Hsl,      Notation::Hwb,   Notation::Lab,
    Notation::Lch, Notation::Oklab,     Notation::Oklch,    Notation::Float, Notation::Qt,
};

// The notation's name, as a command line takes it: "hex", "hex-lower", "rgb-legacy", "oklch" ...
// Empty for a value that is no notation.
std::string_view nameOf(Notation n);

// The color in the notation. Empty for a value that is no notation.
std::string format(Notation n, host::ColorRef c);

// What parseNotations read: the notations in the order given, or none and one line saying what is
// wrong with the list.
struct NotationList {
  std::vector<Notation> notations;
  std::string error;  // empty when the list was read
  bool ok() const { return error.empty(); }
};

// A comma-separated list of names as given on a command line ("hex,lab"). Strict: the names are
// case-sensitive and lower-case, with nothing around them, not even spaces. A name may come again
// (it is printed again). An empty list, an empty item or an unknown name is an error that names
// the item; the text of the list is echoed printable (other bytes as \xNN) and cut short.
NotationList parseNotations(std::string_view list);

}  // namespace ColorText
