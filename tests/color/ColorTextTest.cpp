// Every color text, from the ColorRef (0x00BBGGRR) the picker reads or the mixer mixes.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "color/ColorText.h"

namespace {

TEST(ColorTextTest, EveryNotationOfAColor) {
  const struct {
    host::ColorRef color;
    const char* hex;
    const char* html;
    const char* vbLong;
    const char* decimals[3];  // red, green, blue
  } cases[] = {
      {0x0080FF, "FF8000", "#FF8000", "&H0080FF&", {"255", "128", "00"}},
      {0x000000, "000000", "#000000", "&H000000&", {"00", "00", "00"}},
      {0xFFFFFF, "FFFFFF", "#FFFFFF", "&HFFFFFF&", {"255", "255", "255"}},
      {0x0A0209, "09020A", "#09020A", "&H0A0209&", {"09", "02", "10"}},
      {0xC0B0A9, "A9B0C0", "#A9B0C0", "&HC0B0A9&", {"169", "176", "192"}},
      // An unreadable pixel (all 32 bits set) reads as white.
      {host::kInvalidColor, "FFFFFF", "#FFFFFF", "&HFFFFFF&", {"255", "255", "255"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(ColorText::hex(c.color), c.hex);
    EXPECT_EQ(ColorText::html(c.color), c.html);
    EXPECT_EQ(ColorText::vbLong(c.color), c.vbLong);
    EXPECT_EQ(ColorText::decimal(host::redOf(c.color)), c.decimals[0]);
    EXPECT_EQ(ColorText::decimal(host::greenOf(c.color)), c.decimals[1]);
    EXPECT_EQ(ColorText::decimal(host::blueOf(c.color)), c.decimals[2]);
  }
}

using ColorText::Notation;

// Colors in every notation, in the listed order, "|" between them; a row that starts at hsl has
// the computed ones only. The example and one more in all; then black, white, grey (no hue), the
// primaries and secondaries, a hue just under 360 (FF0001), hues that round to 360 and are written
// 0 (300718 lch, 300115 oklch), an a or b that rounds to zero from below (300718, 300115, 00040E,
// 004239), and exact ties. The texts are colorjs.io 0.7.1's (tests/color/notation_reference.mjs
// --print), but at the exact ties of 14D428 (hue 126.25) and 035D05 (saturation 93.75), where its
// double falls just short of the tie and the exact value rounds away from zero: 126.3 and 93.8.
TEST(ColorTextTest, NotationsOfAColor) {
  const struct {
    std::uint32_t rgb;  // 0xRRGGBB
    std::string_view texts;
  } cases[] = {
      {0xFF8000,
       "FF8000|#FF8000|#ff8000|&H0080FF&|255 128 0|rgb(255 128 0)|rgb(255, 128, 0)|"
       "hsl(30.1 100% 50%)|hwb(30.1 0% 0%)|lab(67.82 45.49 74.84)|lch(67.82 87.58 58.71)|"
       "oklab(0.7319 0.1119 0.1484)|oklch(0.7319 0.1858 52.98)|1.000 0.502 0.000|"
       "QColor(255, 128, 0)"},
      {0x00040E,
       "00040E|#00040E|#00040e|&H0E0400&|0 4 14|rgb(0 4 14)|rgb(0, 4, 14)|"
       "hsl(222.9 100% 2.7%)|hwb(222.9 0% 94.5%)|lab(1.03 0 -4.37)|lch(1.03 4.37 270)|"
       "oklab(0.1061 -0.0098 -0.0302)|oklch(0.1061 0.0317 251.96)|0.000 0.016 0.055|"
       "QColor(0, 4, 14)"},
      {0x000000,
       "hsl(none 0% 0%)|hwb(none 0% 100%)|lab(0 0 0)|lch(0 0 none)|oklab(0 0 0)|"
       "oklch(0 0 none)|0.000 0.000 0.000"},
      {0xFFFFFF,
       "hsl(none 0% 100%)|hwb(none 100% 0%)|lab(100 0 0)|lch(100 0 none)|oklab(1 0 0)|"
       "oklch(1 0 none)|1.000 1.000 1.000"},
      {0x808080,
       "hsl(none 0% 50.2%)|hwb(none 50.2% 49.8%)|lab(53.59 0 0)|lch(53.59 0 none)|"
       "oklab(0.5999 0 0)|oklch(0.5999 0 none)|0.502 0.502 0.502"},
      {0xFF0000,
       "hsl(0 100% 50%)|hwb(0 0% 0%)|lab(54.29 80.8 69.89)|lch(54.29 106.84 40.86)|"
       "oklab(0.628 0.2249 0.1258)|oklch(0.628 0.2577 29.23)|1.000 0.000 0.000"},
      {0x00FF00,
       "hsl(120 100% 50%)|hwb(120 0% 0%)|lab(87.82 -79.27 80.99)|"
       "lch(87.82 113.33 134.38)|oklab(0.8664 -0.2339 0.1795)|oklch(0.8664 0.2948 142.5)|"
       "0.000 1.000 0.000"},
      {0x0000FF,
       "hsl(240 100% 50%)|hwb(240 0% 0%)|lab(29.57 68.29 -112.03)|"
       "lch(29.57 131.2 301.36)|oklab(0.452 -0.0325 -0.3115)|oklch(0.452 0.3132 264.05)|"
       "0.000 0.000 1.000"},
      {0xFFFF00,
       "hsl(60 100% 50%)|hwb(60 0% 0%)|lab(97.61 -15.75 93.39)|lch(97.61 94.71 99.57)|"
       "oklab(0.968 -0.0714 0.1986)|oklch(0.968 0.211 109.77)|1.000 1.000 0.000"},
      {0xFF0001,
       "hsl(359.8 100% 50%)|hwb(359.8 0% 0%)|lab(54.29 80.81 69.63)|"
       "lch(54.29 106.67 40.75)|oklab(0.628 0.225 0.1256)|oklch(0.628 0.2576 29.18)|"
       "1.000 0.000 0.004"},
      {0x300718,
       "hsl(335.1 74.5% 10.8%)|hwb(335.1 2.7% 81.2%)|lab(7.82 22.2 0)|"
       "lch(7.82 22.2 0)|oklab(0.2128 0.0687 -0.0008)|oklch(0.2128 0.0687 359.31)|"
       "0.188 0.027 0.094"},
      {0x300115,
       "hsl(334.5 95.9% 9.6%)|hwb(334.5 0.4% 81.2%)|lab(6.55 25.02 0.35)|"
       "lch(6.55 25.02 0.8)|oklab(0.2021 0.0792 0)|oklch(0.2021 0.0792 0)|0.188 0.004 0.082"},
      {0x14D428,
       "hsl(126.3 82.8% 45.5%)|hwb(126.3 7.8% 16.9%)|lab(74.5 -67.2 64.47)|"
       "lch(74.5 93.12 136.19)|oklab(0.7559 -0.1971 0.1466)|oklch(0.7559 0.2457 143.37)|"
       "0.078 0.831 0.157"},
      {0x035D05,
       "hsl(121.3 93.8% 18.8%)|hwb(121.3 1.2% 63.5%)|lab(33.72 -37.34 37.29)|"
       "lch(33.72 52.77 135.03)|oklab(0.4152 -0.11 0.0836)|oklch(0.4152 0.1381 142.76)|"
       "0.012 0.365 0.020"},
      {0x004239,
       "hsl(171.8 100% 12.9%)|hwb(171.8 0% 74.1%)|lab(24.17 -21.64 -0.16)|"
       "lch(24.17 21.64 180.42)|oklab(0.3397 -0.0616 0)|oklch(0.3397 0.0616 180)|"
       "0.000 0.259 0.224"},
  };
  for (const auto& c : cases) {
    std::string_view texts = c.texts;
    auto n = texts.starts_with("hsl(") ? Notation::Hsl : Notation::Hex;
    for (; !texts.empty(); n = static_cast<Notation>(static_cast<int>(n) + 1)) {
      SCOPED_TRACE(std::string(ColorText::nameOf(n)) + " of " +
                   ColorText::hex(host::fromRgb24(c.rgb)));
      const std::size_t bar = std::min(texts.find('|'), texts.size());
      EXPECT_EQ(ColorText::format(n, host::fromRgb24(c.rgb)), texts.substr(0, bar));
      texts.remove_prefix(std::min(bar + 1, texts.size()));
    }
  }
  for (const Notation n : ColorText::kNotations) {
    EXPECT_EQ(ColorText::format(n, host::kInvalidColor), ColorText::format(n, 0xFFFFFF));
  }
}

TEST(ColorTextTest, NotationListsAsACommandLineGivesThem) {
  const std::vector<Notation> all(ColorText::kNotations.begin(), ColorText::kNotations.end());
  const struct {
    std::string_view list;
    std::vector<Notation> notations;
    std::string_view error;  // what the error says, among other words; empty for none
  } cases[] = {
      {"hex,html,hex-lower,vb,decimal,rgb,rgb-legacy,hsl,hwb,lab,lch,oklab,oklch,float,qt", all,
       ""},
      {"oklch", {Notation::Oklch}, ""},
      {"lab,hex,lab", {Notation::Lab, Notation::Hex, Notation::Lab}, ""},
      {"", {}, "no notation given"},
      {"hex,,lab", {}, "empty name (item 2) in \"hex,,lab\""},
      {",hex", {}, "empty name (item 1)"},
      {"hex,", {}, "empty name (item 2)"},
      {"hex,HSL", {}, "unknown notation \"HSL\" (item 2)"},
      {"hex, lab", {}, "unknown notation \" lab\" (item 2)"},
      {"lab\x1b[2J\xff", {}, "unknown notation \"lab\\x1b[2J\\xff\""},
      {std::string_view("lab\0", 4), {}, "unknown notation \"lab\\x00\""},
      {"0123456789012345678901234567890123456789xyz",
       {},
       "\"0123456789012345678901234567890123456789...\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    const ColorText::NotationList got = ColorText::parseNotations(c.list);
    EXPECT_EQ(got.notations, c.notations);
    EXPECT_EQ(got.ok(), c.error.empty());
    EXPECT_NE(got.error.find(c.error), std::string::npos) << got.error;
  }
  EXPECT_NE(ColorText::parseNotations("x").error.find("are hex, html, hex-lower, vb,"),
            std::string::npos);
}

}  // namespace
