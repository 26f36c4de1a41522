#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "zoom/ZoomPlan.h"

namespace {

using host::Rect;

ZoomInput input(int cx, int cy, int w, int h, int z = 5, bool full = false, bool centred = true) {
  ZoomInput in;
  in.cursorX = cx;
  in.cursorY = cy;
  in.destW = w;
  in.destH = h;
  in.factor = z;
  in.fullPixelsOnly = full;
  in.mouseCentered = centred;
  in.screenWidth = 1024;
  in.screenHeight = 768;
  return in;
}

// The same input over the monitor (left, top, width, height) that holds the cursor.
ZoomInput on(ZoomInput in, int left, int top, double width, double height) {
  in.screenLeft = left;
  in.screenTop = top;
  in.screenWidth = width;
  in.screenHeight = height;
  return in;
}

struct PlanCase {
  const char* what;
  ZoomInput in;
  int cols, rows, sx, sy, offX, offY, fullW, fullH;
  std::vector<Rect> fills;
};

class ZoomPlanTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(ZoomPlanTable, ColumnsSourceOffsetsAndMargins) {
  const PlanCase& c = GetParam();
  const ZoomPlan p = planZoom(c.in);
  ASSERT_TRUE(p.paints);
  EXPECT_EQ(p.cols, c.cols);
  EXPECT_EQ(p.rows, c.rows);
  EXPECT_EQ(p.sx, c.sx);
  EXPECT_EQ(p.sy, c.sy);
  EXPECT_EQ(p.offX, c.offX);
  EXPECT_EQ(p.offY, c.offY);
  EXPECT_EQ(p.fullW, c.fullW);
  EXPECT_EQ(p.fullH, c.fullH);
  EXPECT_EQ(std::vector<Rect>(p.fills.begin(), p.fills.begin() + p.fillCount), c.fills);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Designed, ZoomPlanTable,
    ::testing::Values(
        // 20 whole pixels plus one partial; the cursor pixel lands on device pixels 50..54.
        PlanCase{"canvas101", input(400, 300, 101, 101), 21, 21, 390, 290, 0, 0, 105, 105, {}},
        PlanCase{"canvas101FullPixels", input(400, 300, 101, 101, 5, true), 20, 20, 390, 290, 0, 0,
                 100, 100, {}},
        PlanCase{"canvas100", input(400, 300, 100, 100, 5, true), 20, 20, 390, 290, 0, 0, 100, 100,
                 {}},
        PlanCase{"nearLeftEdge", input(3, 300, 101, 101), 14, 21, 0, 290, 35, 0, 105, 105,
                 {Rect{0, 0, 35, 105}}},
        // (The top-left corner is checked pixel by pixel on the engine's canvas.)
        PlanCase{"bottomRightCorner", input(1023, 767, 101, 101), 11, 11, 1013, 757, 0, 0, 105, 105,
                 {Rect{55, 0, 105, 105}, Rect{0, 55, 105, 105}}},
        // Not centred: the cursor pixel is the top-left block; only right and bottom clip.
        PlanCase{"notCentred", input(1020, 10, 75, 74, 5, false, false), 4, 15, 1020, 10, 0, 0, 75,
                 75, {Rect{20, 0, 75, 75}}},
        // The picker's own box at its other factors.
        PlanCase{"box15x", input(500, 500, 75, 74, 15), 5, 5, 498, 498, 0, 0, 75, 75, {}},
        PlanCase{"box25x", input(500, 500, 75, 74, 25), 3, 3, 499, 499, 0, 0, 75, 75, {}},
        // A monitor left of the primary one (x from -1280): 10 columns left of the cursor, 8 of
        // them off the monitor.
        PlanCase{"monitorLeftOfTheOrigin", on(input(-1278, 100, 101, 101), -1280, 0, 1280, 1024),
                 13, 21, -1280, 90, 40, 0, 105, 105, {Rect{0, 0, 40, 105}}}),
    [](const auto& param_info) { return std::string(param_info.param.what); });
// clang-format on });

TEST(ZoomPlanTest, TargetsSmallerThanOneBlockAreLeftAlone) {
  EXPECT_FALSE(planZoom(input(10, 10, 4, 100)).paints);
  EXPECT_FALSE(planZoom(input(10, 10, 100, 4)).paints);
  EXPECT_TRUE(planZoom(input(10, 10, 5, 5)).paints);
}

TEST(ZoomPlanTest, FractionalScreenSizeRoundsTheOverhangHalfToEven) {
  ZoomInput in = input(1023, 300, 101, 101);
  in.screenWidth = 1023.5;  // e = 1013 + 21 - 1023.5 = 10.5, rounds to 10
  EXPECT_EQ(planZoom(in).cols, 11);
  in.screenWidth = 1022.5;  // 11.5 rounds to 12
  EXPECT_EQ(planZoom(in).cols, 9);
}

// No monitor holds the cursor: the engine passes the cursor's point with no size.
TEST(ZoomPlanTest, CursorOnNoScreenPaintsOnlyBackground) {
  const ZoomPlan p = planZoom(on(input(5000, 5000, 75, 74), 5000, 5000, 0, 0));
  EXPECT_TRUE(p.paints);
  EXPECT_FALSE(p.copies());
  ASSERT_EQ(p.fillCount, 1);
  EXPECT_EQ(p.fills[0], (Rect{0, 0, 75, 75}));
}

// Cursors, targets and screens at the ends of the 32-bit range (found by fuzzing): the plan does
// not wrap, its copy stays inside the painted area and on the screen.
TEST(ZoomPlanTest, ExtremeInputsKeepThePlanInsideItsArea) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  struct Case {
    int cx, cy, w, h, z, left, top;
    double sw, sh;
  };
  for (const Case& c : {Case{kMin, kMin, 75, 74, 5, kMin, kMin, 0, 0},
                        Case{kMax, kMax, 75, 74, 25, 0, 0, 1280, 1024},
                        Case{kMin, kMax, kMax, kMax, 1, kMin, kMin, kMax, kMax},
                        Case{0, 0, kMax - 1, 75, 2, kMax, 0, 1280, 1024},
                        Case{-5000, -5000, 75, 74, kMax, 0, 0, 1280, 1024}}) {
    const ZoomInput in = on(input(c.cx, c.cy, c.w, c.h, c.z), c.left, c.top, c.sw, c.sh);
    const ZoomPlan p = planZoom(in);
    ASSERT_LE(p.fillCount, 4);
    if (!p.copies()) continue;
    EXPECT_GE(p.offX, 0);
    EXPECT_LE(std::int64_t{p.offX} + std::int64_t{c.z} * p.cols, p.fullW);
    EXPECT_GE(p.sx, c.left);
    EXPECT_LE(p.sx + static_cast<double>(p.cols), c.left + c.sw + 0.5);
  }
  // A cursor at the far corner, on no screen: all background, the target's own size.
  const ZoomInput off = on(input(kMin, kMin, 75, 74), kMin, kMin, 0, 0);
  const ZoomPlan p = planZoom(off);
  ASSERT_EQ(p.fillCount, 1);
  EXPECT_EQ(p.fills[0], (Rect{0, 0, 75, 75}));
}

}  // namespace
