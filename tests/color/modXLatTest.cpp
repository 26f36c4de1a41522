#include <gtest/gtest.h>

#include <string>

#include "color/modXLat.h"

namespace {

struct HexCase {
  const char* text;
  std::int32_t value;
};

class HexToLongTable : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToLongTable, Parses) {
  EXPECT_EQ(modXLat::HexToLong(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Designed, HexToLongTable,
                         ::testing::Values(HexCase{"FF", 255}, HexCase{"ff", 255},
                                           HexCase{"Ff", 255}, HexCase{"80", 128}, HexCase{"00", 0},
                                           HexCase{"0", 0}, HexCase{"7", 7}, HexCase{"", 0},
                                           HexCase{"1G", -1}, HexCase{"G1", -1},
                                           HexCase{"FF8000", 16744448}, HexCase{"#FF", -1},
                                           HexCase{" 5", -1}, HexCase{"aBcDeF", 0xABCDEF},
                                           HexCase{"-1", -1}, HexCase{"+1", -1}, HexCase{"@", -1},
                                           HexCase{"`", -1}, HexCase{"/", -1}, HexCase{":", -1}));

// Beyond the 32-bit signed range the result is -1, never a wrapped value; leading zeros are
// harmless however many there are.
INSTANTIATE_TEST_SUITE_P(LongTexts, HexToLongTable,
                         ::testing::Values(HexCase{"7FFFFFFF", 0x7FFFFFFF}, HexCase{"80000000", -1},
                                           HexCase{"FFFFFFFF", -1}, HexCase{"100000000", -1},
                                           HexCase{"0000000000000000FF", 255},
                                           HexCase{"10000000000000000", -1},
                                           HexCase{"FFFFFFFFFFFFFFFFFFFFFFFF", -1},
                                           HexCase{"7FFFFFFFZ", -1}));

TEST(HexToLongTest, AnInvalidCharacterAnywhereGivesMinusOne) {
  const std::string digits = "12AB";
  for (std::size_t at = 0; at <= digits.size(); ++at) {
    for (const char bad : {' ', 'g', 'G', 'x', '#', '\0', '\xC3'}) {
      std::string text = digits;
      text.insert(at, 1, bad);
      EXPECT_EQ(modXLat::HexToLong(text), -1) << "bad char " << int(bad) << " at " << at;
    }
  }
}

}  // namespace
