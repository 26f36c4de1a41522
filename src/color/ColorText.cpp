#include "ColorText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <utility>

namespace ColorText {

namespace {

void appendByte(std::string& out, int byte, const char* digits = "0123456789ABCDEF") {
  out += digits[(byte >> 4) & 0xF];
  out += digits[byte & 0xF];
}

std::string bytes(int first, int second, int third) {
  std::string out;
  appendByte(out, first);
  appendByte(out, second);
  appendByte(out, third);
  return out;
}

// The 8-bit channels, and whether the color is grey (no hue).
struct Channels {
  int r, g, b;
  int max() const { return std::max(r, std::max(g, b)); }
  int min() const { return std::min(r, std::min(g, b)); }
  bool grey() const { return r == g && g == b; }
};

Channels channelsOf(host::ColorRef c) {
  return {host::redOf(c), host::greenOf(c), host::blueOf(c)};
}

void appendInt(std::string& out, std::int64_t v) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
  out.append(digits, end);
}

constexpr std::int64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000};

// A number already scaled to its last digit (`decimals` places: 3012 with 1 is 301.2), written as
// CSS writes numbers: trailing zeros and a trailing point dropped unless `keepZeros`. Being an
// integer, a value that rounded to zero has no sign.
void appendScaled(std::string& out, std::int64_t scaled, int decimals, bool keepZeros = false) {
  if (scaled < 0) {
    out += '-';
    scaled = -scaled;
  }
  appendInt(out, scaled / kPowersOfTen[decimals]);
  std::int64_t fraction = scaled % kPowersOfTen[decimals];
  int places = decimals;
  while (!keepZeros && places > 0 && fraction % 10 == 0) {
    fraction /= 10;
    --places;
  }
  if (places == 0) return;
  out += '.';
  char digits[4];
  for (int i = places - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  out.append(digits, static_cast<std::size_t>(places));
}

// Rounded half away from zero to `decimals` places, scaled to the last one. The scaling rounds
// once more, which moves only a value within a few units in the last place of a tie: no closer
// than the arithmetic that made it can tell.
std::int64_t scaled(double v, int decimals) {
  return std::llround(v * static_cast<double>(kPowersOfTen[decimals]));
}

void appendNumber(std::string& out, double v, int decimals) {
  appendScaled(out, scaled(v, decimals), decimals);
}

// A hue already scaled to its last digit, in [0, 360): one that rounded up to 360 is 0.
void appendHue(std::string& out, std::int64_t scaledHue, int decimals) {
  const std::int64_t full = 360 * kPowersOfTen[decimals];
  appendScaled(out, scaledHue >= full ? scaledHue - full : scaledHue, decimals);
}

// --- hsl and hwb: ratios of the encoded channels, each worked out in tenths of its unit by one
// division of exact integers, so an exact tie is a tie in double too and rounds away from zero.

std::int64_t tenths(int numerator, int denominator) {
  return std::llround(10.0 * numerator / denominator);
}

// The hue in tenths of a degree, for a color that is not grey. Where two channels share the
// maximum, red is taken before green, green before blue, as CSS does.
std::int64_t hueTenths(const Channels& ch) {
  const int max = ch.max();
  const int range = max - ch.min();
  int hueTimesRange;  // the hue in degrees, times `range`
  if (max == ch.r) {
    hueTimesRange = 60 * (ch.g - ch.b) + (ch.g < ch.b ? 360 * range : 0);
  } else if (max == ch.g) {
    hueTimesRange = 60 * (ch.b - ch.r) + 120 * range;
  } else {
    hueTimesRange = 60 * (ch.r - ch.g) + 240 * range;
  }
  return tenths(hueTimesRange, range);
}

void appendTenthsHue(std::string& out, const Channels& ch) {
  if (ch.grey()) {
    out += "none";
  } else {
    appendHue(out, hueTenths(ch), 1);
  }
}

void appendPercent(std::string& out, std::int64_t percentTenths) {
  appendScaled(out, percentTenths, 1);
  out += '%';
}

std::string hsl(const Channels& ch) {
  const int max = ch.max();
  const int min = ch.min();
  const int sum = max + min;  // lightness times 510
  std::string out = "hsl(";
  appendTenthsHue(out, ch);
  out += ' ';
  // Saturation is (max - min) / (1 - |2 lightness - 1|); grey has none.
  appendPercent(out, ch.grey() ? 0 : tenths(100 * (max - min), std::min(sum, 510 - sum)));
  out += ' ';
  appendPercent(out, tenths(100 * sum, 510));
  return out + ')';
}

std::string hwb(const Channels& ch) {
  std::string out = "hwb(";
  appendTenthsHue(out, ch);
  out += ' ';
  appendPercent(out, tenths(100 * ch.min(), 255));
  out += ' ';
  appendPercent(out, tenths(100 * (255 - ch.max()), 255));
  return out + ')';
}

// --- lab, lch, oklab, oklch: in double, as CSS Color 4 works them out.

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

Vec3 times(const Mat3& m, const Vec3& v) {
  Vec3 out{};
  for (std::size_t i = 0; i < 3; ++i)
    out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
  return out;
}

// The sRGB transfer function undone: an encoded channel 0..255 to linear light 0..1.
double linear(int channel) {
  const double v = channel / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// Linear sRGB to CIE XYZ relative to D65, exact as CSS Color 4's fractions.
constexpr Mat3 kLinearSrgbToXyzD65{{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};

Vec3 xyzD65(const Channels& ch) {
  return times(kLinearSrgbToXyzD65, {linear(ch.r), linear(ch.g), linear(ch.b)});
}

// Bradford chromatic adaptation, XYZ D65 to XYZ D50.
constexpr Mat3 kBradfordD65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};

// The D50 white, from its four-digit chromaticity (x 0.3457, y 0.3585), Y = 1.
constexpr Vec3 kWhiteD50{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

// CIE Lab (D50): L 0..100, a and b about -125..125.
Vec3 lab(const Channels& ch) {
  constexpr double kEpsilon = 216.0 / 24389.0;  // 6^3 / 29^3
  constexpr double kKappa = 24389.0 / 27.0;     // 29^3 / 3^3
  const Vec3 xyz = times(kBradfordD65ToD50, xyzD65(ch));
  Vec3 f{};
  for (std::size_t i = 0; i < 3; ++i) {
    const double relative = xyz[i] / kWhiteD50[i];
    f[i] = relative > kEpsilon ? std::cbrt(relative) : (kKappa * relative + 16) / 116;
  }
  if (ch.grey()) return {116 * f[1] - 16, 0, 0};
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

constexpr Mat3 kXyzD65ToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};

constexpr Mat3 kLmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};

// OKLab: L 0..1, a and b about -0.4..0.4.
Vec3 oklab(const Channels& ch) {
  Vec3 lms = times(kXyzD65ToLms, xyzD65(ch));
  for (double& v : lms)
    v = std::cbrt(v);
  const Vec3 out = times(kLmsToOklab, lms);
  if (ch.grey()) return {out[0], 0, 0};
  return out;
}

std::string rectangular(const char* name, const Vec3& v, int decimals) {
  std::string out = name;
  out += '(';
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0) out += ' ';
    appendNumber(out, v[i], decimals);
  }
  return out + ')';
}

// Lightness, chroma and hue from L, a and b; `hueDecimals` for the hue. Grey has chroma 0 and no
// hue.
std::string polar(const char* name, const Vec3& lab, const Channels& ch, int decimals,
                  int hueDecimals) {
  std::string out = name;
  out += '(';
  appendNumber(out, lab[0], decimals);
  out += ' ';
  appendNumber(out, std::sqrt(lab[1] * lab[1] + lab[2] * lab[2]), decimals);
  out += ' ';
  if (ch.grey()) {
    out += "none";
  } else {
    double hue = std::atan2(lab[2], lab[1]) * 180.0 / std::numbers::pi;
    if (hue < 0) hue += 360.0;
    appendHue(out, scaled(hue, hueDecimals), hueDecimals);
  }
  return out + ')';
}

// --- the plain ones.

std::string separated(const Channels& ch, const char* before, const char* separator,
                      const char* after) {
  std::string out = before;
  appendInt(out, ch.r);
  out += separator;
  appendInt(out, ch.g);
  out += separator;
  appendInt(out, ch.b);
  return out + after;
}

std::string floats(const Channels& ch) {
  std::string out;
  for (const int channel : {ch.r, ch.g, ch.b}) {
    if (!out.empty()) out += ' ';
    appendScaled(out, std::llround(1000.0 * channel / 255), 3, true);
  }
  return out;
}

constexpr std::string_view kNames[] = {
    "hex", "html", "hex-lower", "vb",    "decimal", "rgb",   "rgb-legacy", "hsl",
    "hwb", "lab",  "lch",       "oklab", "oklch",   "float", "qt",
};
static_assert(std::size(kNames) == kNotations.size());

std::optional<Notation> notationNamed(std::string_view name) {
  for (const Notation n : kNotations) {
    if (nameOf(n) == name) return n;
  }
  return std::nullopt;
}

// Text from outside for an error line: printable ASCII as it is, any other byte as \xNN, and cut
// short, so that a stray control character or a huge argument cannot garble a terminal.
std::string printable(std::string_view text) {
  constexpr std::size_t kMost = 40;
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < kMost; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += static_cast<char>(byte);
    } else {
      out += "\\x";
      appendByte(out, byte, "0123456789abcdef");
    }
  }
  if (text.size() > kMost) out += "...";
  return out;
}

std::string knownNames() {
  std::string out;
  for (const Notation n : kNotations) {
    if (!out.empty()) out += ", ";
    out += nameOf(n);
  }
  return out;
}

NotationList failure(std::string text) {
  return {{}, std::move(text)};
}

}  // namespace

std::string hex(host::ColorRef c) {
  return bytes(host::redOf(c), host::greenOf(c), host::blueOf(c));
}

std::string html(host::ColorRef c) {
  return "#" + hex(c);
}

std::string vbLong(host::ColorRef c) {
  return "&H" + bytes(host::blueOf(c), host::greenOf(c), host::redOf(c)) + "&";
}

std::string decimal(int channel) {
  const std::string plain = std::to_string(channel);
  return channel < 10 ? "0" + plain : plain;
}

std::string_view nameOf(Notation n) {
  const auto index = static_cast<std::size_t>(n);
  return index < std::size(kNames) ? kNames[index] : std::string_view{};
}

std::string format(Notation n, host::ColorRef c) {
  const Channels ch = channelsOf(c);
  switch (n) {
    case Notation::Hex:
      return hex(c);
    case Notation::Html:
      return html(c);
    case Notation::HexLower: {
      std::string out = "#";
      for (const int channel : {ch.r, ch.g, ch.b})
        appendByte(out, channel, "0123456789abcdef");
      return out;
    }
    case Notation::Vb:
      return vbLong(c);
    case Notation::Decimal:
      return separated(ch, "", " ", "");
    case Notation::Rgb:
      return separated(ch, "rgb(", " ", ")");
    case Notation::RgbLegacy:
      return separated(ch, "rgb(", ", ", ")");
    case Notation::Hsl:
      return hsl(ch);
    case Notation::Hwb:
      return hwb(ch);
    case Notation::Lab:
      return rectangular("lab", lab(ch), 2);
    case Notation::Lch:
      return polar("lch", lab(ch), ch, 2, 2);
    case Notation::Oklab:
      return rectangular("oklab", oklab(ch), 4);
    case Notation::Oklch:
      return polar("oklch", oklab(ch), ch, 4, 2);
    case Notation::Float:
      return floats(ch);
    case Notation::Qt:
      return separated(ch, "QColor(", ", ", ")");
  }
  return {};
}

NotationList parseNotations(std::string_view list) {
  if (list.empty()) {
    return failure("no notation given: name one or more, separated by commas, of " + knownNames());
  }
  NotationList out;
  std::size_t item = 1;
  for (std::size_t start = 0;; ++item) {
    const std::size_t comma = list.find(',', start);
    const std::string_view name =
        list.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (name.empty()) {
      return failure("empty name (item " + std::to_string(item) + ") in \"" + printable(list) +
                     "\": separate the names with single commas");
    }
    const std::optional<Notation> n = notationNamed(name);
    if (!n) {
      return failure("unknown notation \"" + printable(name) + "\" (item " + std::to_string(item) +
                     "): the names are lower-case, without spaces, and are " + knownNames());
    }
    out.notations.push_back(*n);
    if (comma == std::string_view::npos) return out;
    start = comma + 1;
  }
}

}  // namespace ColorText
