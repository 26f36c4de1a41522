#include <gtest/gtest.h>

#include <limits>

#include "../support/Oracle.h"
#include "host/draw/Region.h"

namespace {

// Every block of the file's mask against PtInRegion.
void expectRegionMatches(const host::Region& region, const OracleFile& file) {
  ASSERT_FALSE(file.blocks.empty());
  for (const OracleBlock& g : file.blocks) {
    ASSERT_FALSE(g.maskRows.empty());
    int wrong = 0;
    for (int y = g.y0; y < g.y0 + g.height; ++y) {
      for (int x = g.x0; x < g.x0 + g.width; ++x) {
        if (host::PtInRegion(region, x, y) != g.masked(x, y) && ++wrong <= 5) {
          ADD_FAILURE() << file.header << " " << g.label << " at " << x << "," << y;
        }
      }
    }
  }
}

struct RoundCase {
  const char* file;
  int l, t, r, b, c;
};

class RoundRectOracle : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundRectOracle, MatchesEveryPixel) {
  const RoundCase& p = GetParam();
  const OracleFile file = readOracle(p.file);
  const host::Region region = host::CreateRoundRectRgn(p.l, p.t, p.r, p.b, p.c, p.c);
  expectRegionMatches(region, file);
  const std::string box = file.headerValue("rgnbox");
  const host::Rect rb = region.box();
  EXPECT_EQ(box, std::to_string(rb.left) + "," + std::to_string(rb.top) + "," +
                     std::to_string(rb.right) + "," + std::to_string(rb.bottom));
}

INSTANTIATE_TEST_SUITE_P(
    Oracle, RoundRectOracle,
    ::testing::Values(RoundCase{"roundrect_rgn_0_0_10_10_c0.txt", 0, 0, 10, 10, 0},
                      RoundCase{"roundrect_rgn_0_0_10_10_c1.txt", 0, 0, 10, 10, 1},
                      RoundCase{"roundrect_rgn_0_0_10_10_c2.txt", 0, 0, 10, 10, 2},
                      RoundCase{"roundrect_rgn_0_0_16_16_c3.txt", 0, 0, 16, 16, 3},
                      RoundCase{"roundrect_rgn_0_0_13_9_c4.txt", 0, 0, 13, 9, 4},
                      RoundCase{"roundrect_rgn_0_0_20_12_c7.txt", 0, 0, 20, 12, 7},
                      RoundCase{"roundrect_rgn_0_0_24_24_c24.txt", 0, 0, 24, 24, 24},
                      RoundCase{"roundrect_rgn_0_0_30_10_c20.txt", 0, 0, 30, 10, 20},
                      RoundCase{"roundrect_rgn_0_0_101_29_c26.txt", 0, 0, 101, 29, 26},
                      RoundCase{"roundrect_rgn_4_0_138_12_c20.txt", 4, 0, 138, 12, 20},
                      RoundCase{"roundrect_rgn_m1_m6_120_13_c20.txt", -1, -6, 120, 13, 20},
                      RoundCase{"roundrect_rgn_m7_m13_128_15_c26.txt", -7, -13, 128, 15, 26},
                      RoundCase{"roundrect_rgn_0_0_317_235_c7_corners.txt", 0, 0, 317, 235, 7},
                      RoundCase{"roundrect_rgn_0_0_571_235_c7_corners.txt", 0, 0, 571, 235, 7},
                      RoundCase{"roundrect_rgn_0_0_259_339_c20_corners.txt", 0, 0, 259, 339, 20}),
    [](const auto& param_info) {
      std::string n = param_info.param.file;
      return n.substr(0, n.find('.'));
    });

TEST(RegionTest, XorOfTwoRectanglesIsTheirSymmetricDifference) {
  const OracleFile file = readOracle("combinergn_xor.txt");
  host::Region out;
  const int type = host::CombineRgn(out, host::CreateRectRgn(0, 0, 6, 4),
                                    host::CreateRectRgn(3, 2, 9, 7), host::CombineMode::Xor);
  EXPECT_EQ(type, file.headerInt("ret"));
  expectRegionMatches(out, file);
}

// Corners and rectangles at the ends of the 32-bit range (found by fuzzing) build a region
// without wrapping: the screen's part of it is covered.
TEST(RegionTest, ExtremeRectanglesAndCornersStillCoverTheMiddle) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  for (const host::Region& r : {host::CreateRectRgn(kMin, kMin, kMax, kMax),
                                host::CreateRoundRectRgn(kMin, kMin, kMax, kMax, kMin, kMin),
                                host::CreateRoundRectRgn(0, 0, 4096, 4096, kMax, 20)}) {
    EXPECT_TRUE(host::PtInRegion(r, 100, 100));
    EXPECT_FALSE(r.isEmpty());
  }
}

}  // namespace
