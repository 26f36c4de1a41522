#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

// Numeric conversions with the forms runtime's exact rules. Pure: no Qt.
namespace host {

// Round to the nearest integer, ties to the even neighbour (42.5 -> 42, 127.5 -> 128), as the
// runtime converts a floating-point value to an integer. Values beyond the 32-bit range saturate
// (the runtime raises an overflow there; no caller of ours produces such a value), NaN gives 0.
inline std::int32_t roundHalfEven(double v) {
  if (std::isnan(v)) return 0;
  // Computed by hand rather than with std::nearbyint, which follows the current FPU rounding
  // mode: a caller that changed that mode must not change our numbers.
  const double fl = std::floor(v);
  const double diff = v - fl;
  double res = fl;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(fl, 2.0) != 0.0)) res = fl + 1.0;
  if (res >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (res <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(res);
}

// The single-precision flavour: the value is first held as a float, as the runtime does for
// Single variables, then rounded.
inline std::int32_t roundHalfEven(float v) {
  return roundHalfEven(static_cast<double>(v));
}

// Integer division written `\` in the design: truncates toward zero. b must not be 0.
constexpr std::int32_t intDiv(std::int32_t a, std::int32_t b) {
  return a / b;
}

// Booleans stored numerically: true is -1, false is 0.
constexpr std::int16_t vbBool(bool b) {
  return b ? std::int16_t{-1} : std::int16_t{0};
}

// Upper-case hexadecimal digits without leading zeros ("0" for zero), as the runtime's Hex$
// writes a 32-bit value.
inline std::string hexUpper(std::uint32_t v) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (v == 0) return "0";
  std::string out;
  while (v != 0) {
    out.insert(out.begin(), kDigits[v & 0xFu]);
    v >>= 4;
  }
  return out;
}

}  // namespace host
