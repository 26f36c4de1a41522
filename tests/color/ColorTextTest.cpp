// Every color text, from the ColorRef (0x00BBGGRR) the picker reads or the mixer mixes.
#include <gtest/gtest.h>

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

}  // namespace
