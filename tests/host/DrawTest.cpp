// The canvas and regions against the oracle's pixels, and at the ends of the 32-bit range.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "../support/Oracle.h"
#include "host/draw/Canvas.h"
#include "host/draw/Region.h"

namespace {

using host::Canvas;
using host::ColorRef;

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

// A canvas holding the oracle's grid, its origin (possibly negative) moved to a margin of
// background inside the image.
struct Scene {
  static constexpr int kMargin = 4;
  QImage image;
  OracleBlock grid;
  explicit Scene(const OracleBlock& g, ColorRef background)
      : image(g.width + 2 * kMargin, g.height + 2 * kMargin, QImage::Format_RGB32), grid(g) {
    image.fill(QColor::fromRgb(host::toRgb24(background) | 0xFF000000u));
  }
  // Image pixel for a logical point.
  int ix(int x) const { return x - grid.x0 + kMargin; }
  int iy(int y) const { return y - grid.y0 + kMargin; }
};

struct OracleCase {
  const char* file;
  std::function<void(Canvas&, const Scene&)> draw;
  ColorRef background = 0xFFFFFF;
};

class CanvasOracle : public ::testing::TestWithParam<OracleCase> {};

// A mask grid marks the pixels that change, a color grid gives each pixel; the margin around the
// grid keeps its background.
TEST_P(CanvasOracle, MatchesEveryPixel) {
  const OracleCase& c = GetParam();
  const OracleBlock g = readOracle(c.file).grid();
  ASSERT_FALSE(g.maskRows.empty() && g.rgb.empty());
  Scene s(g, c.background);
  Canvas dc(s.image);
  c.draw(dc, s);
  for (int y = 0; y < s.image.height(); ++y) {
    for (int x = 0; x < s.image.width(); ++x) {
      const int lx = x - Scene::kMargin + g.x0;
      const int ly = y - Scene::kMargin + g.y0;
      const bool inGrid = lx >= g.x0 && lx < g.x0 + g.width && ly >= g.y0 && ly < g.y0 + g.height;
      if (inGrid && !g.maskRows.empty()) {
        EXPECT_EQ(dc.GetPixel(x, y) != c.background, g.masked(lx, ly))
            << c.file << " at " << lx << "," << ly;
      } else {
        EXPECT_EQ(dc.GetPixel(x, y), inGrid ? g.color(lx, ly) : c.background)
            << c.file << " at " << lx << "," << ly;
      }
    }
  }
}

OracleCase lineCase(const char* file, int x0, int y0, int x1, int y1) {
  return {file, [=](Canvas& dc, const Scene& s) {
            dc.SelectPen(0);
            dc.MoveToEx(s.ix(x0), s.iy(y0));
            dc.LineTo(s.ix(x1), s.iy(y1));
          }};
}

OracleCase ellipseCase(const char* file, int l, int t, int r, int b) {
  return {file, [=](Canvas& dc, const Scene& s) {
            dc.SelectPen(std::nullopt);
            dc.SelectBrush(0x0000FF);
            dc.Ellipse(s.ix(l), s.iy(t), s.ix(r), s.iy(b));
          }};
}

// The filled rectangles: FillRect, and Rectangle with the null pen.
void fillRect(Canvas& dc, const Scene& s) {
  dc.FillRect({s.ix(2), s.iy(2), s.ix(5), s.iy(4)}, 0);
}
void nullPenRectangle(Canvas& dc, const Scene& s) {
  dc.SelectPen(std::nullopt);
  dc.SelectBrush(0);
  dc.Rectangle(s.ix(2), s.iy(2), s.ix(7), s.iy(6));
}

// A yellow pen and brush in NotXorPen, switched to from the default CopyPen.
OracleCase notXorCase(const char* file, ColorRef background) {
  return {file,
          [](Canvas& dc, const Scene& s) {
            EXPECT_EQ(dc.SetROP2(host::Rop2::NotXorPen), host::Rop2::CopyPen);
            dc.SelectPen(0x00FFFF);
            dc.SelectBrush(0x00FFFF);
            dc.Rectangle(s.ix(2), s.iy(2), s.ix(8), s.iy(7));
          },
          background};
}

// The oracle's 3 x 2 source, [FF0000 00FF00 0000FF / FFFF00 00FFFF FF00FF], stretched onto
// (0, 0, dw, dh) over a prefill of 123456.
OracleCase stretchCase(const char* file, int dw, int dh, int sx, int sy) {
  return {file,
          [=](Canvas& dc, const Scene& s) {
            static const QRgb rows[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                        0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
            const QImage src(reinterpret_cast<const uchar*>(rows), 3, 2, 12, QImage::Format_RGB32);
            dc.StretchBlt(s.ix(0), s.iy(0), dw, dh, src, sx, sy, 3, 2);
          },
          host::fromRgb24(0x123456)};
}

INSTANTIATE_TEST_SUITE_P(
    Oracle, CanvasOracle,
    ::testing::Values(
        lineCase("line_0_0_to_5_0.txt", 0, 0, 5, 0), lineCase("line_0_0_to_7_3.txt", 0, 0, 7, 3),
        lineCase("line_3_7_to_0_0.txt", 3, 7, 0, 0), lineCase("line_5_5_to_0_0.txt", 5, 5, 0, 0),
        lineCase("line_0_2_to_2_0.txt", 0, 2, 2, 0), lineCase("line_2_0_to_0_2.txt", 2, 0, 0, 2),
        // Exact halves on the minor axis, in both directions along both axes.
        lineCase("line_0_0_to_4_2.txt", 0, 0, 4, 2), lineCase("line_4_2_to_0_0.txt", 4, 2, 0, 0),
        lineCase("line_0_2_to_4_0.txt", 0, 2, 4, 0), lineCase("line_0_4_to_2_0.txt", 0, 4, 2, 0),
        lineCase("line_0_0_to_2_4.txt", 0, 0, 2, 4), lineCase("line_2_4_to_0_0.txt", 2, 4, 0, 0),
        ellipseCase("ellipse_0_0_10_10.txt", 0, 0, 10, 10),
        ellipseCase("ellipse_0_0_11_7.txt", 0, 0, 11, 7),
        ellipseCase("ellipse_0_0_1_1.txt", 0, 0, 1, 1),
        ellipseCase("ellipse_0_0_40_12.txt", 0, 0, 40, 12),
        ellipseCase("ellipse_10_4_30_30.txt", 10, 4, 30, 30),
        ellipseCase("ellipse_2_2_3_3.txt", 2, 2, 3, 3),
        ellipseCase("ellipse_m5_m3_20_9.txt", -5, -3, 20, 9),
        OracleCase{"fillrect_2_2_5_4.txt", fillRect},
        OracleCase{"rectangle_nullpen_2_2_7_6.txt", nullPenRectangle},
        notXorCase("rop2_notxorpen_rectangle_on_white.txt", 0xFFFFFF),
        notXorCase("rop2_notxorpen_rectangle_on_808080.txt", 0x808080),
        stretchCase("stretchblt_3x2_to_15x10.txt", 15, 10, 0, 0),
        stretchCase("stretchblt_3x2_to_14x9.txt", 14, 9, 0, 0),
        stretchCase("stretchblt_src_m1_m1_3x2_to_15x10.txt", 15, 10, -1, -1)),
    [](const auto& param_info) {
      const std::string file = param_info.param.file;
      return file.substr(0, file.find('.'));
    });

struct GradientCase {
  const char* file;
  int w, h;
  std::uint32_t rgb0, rgb1;  // RRGGBB
  host::GradientMode mode;
};

class GradientOracle : public ::testing::TestWithParam<GradientCase> {};

// A corner of RRGGBB color, each channel in the high byte of its 16 bits.
host::TriVertex vertex(int x, int y, std::uint32_t rgb) {
  const auto channel = [rgb](int shift) { return std::uint16_t(((rgb >> shift) & 0xFF) << 8); };
  return host::TriVertex{x, y, channel(16), channel(8), channel(0), 0};
}

TEST_P(GradientOracle, MatchesTheSampledPixels) {
  const GradientCase& p = GetParam();
  const OracleFile file = readOracle(p.file);
  QImage img(p.w + 1, p.h + 1, QImage::Format_RGB32);
  img.fill(QColor(0x12, 0x34, 0x56));
  Canvas dc(img);
  // The rectangle names the end vertex first, as the window background does; order is free.
  dc.GradientFill(vertex(p.w, p.h, p.rgb1), vertex(0, 0, p.rgb0), p.mode);
  for (const OracleBlock& g : file.blocks) {
    for (int y = g.y0; y < g.y0 + g.height; ++y) {
      for (int x = g.x0; x < g.x0 + g.width; ++x) {
        EXPECT_EQ(dc.GetPixel(x, y), g.color(x, y)) << p.file << " at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(dc.GetPixel(p.w, 0), host::fromRgb24(0x123456)) << "right of the rectangle";
  EXPECT_EQ(dc.GetPixel(0, p.h), host::fromRgb24(0x123456)) << "below the rectangle";
}

INSTANTIATE_TEST_SUITE_P(
    Oracle, GradientOracle,
    ::testing::Values(GradientCase{"gradient_h_7x5.txt", 7, 5, 0x0AC81E, 0xFA0082,
                                   host::GradientMode::Horizontal},
                      GradientCase{"gradient_v_5x7.txt", 5, 7, 0x0AC81E, 0xFA0082,
                                   host::GradientMode::Vertical},
                      GradientCase{"gradient_h_317x235.txt", 317, 235, 0x000000, 0x0318D3,
                                   host::GradientMode::Horizontal},
                      GradientCase{"gradient_v_259x339.txt", 259, 339, 0x000000, 0x808080,
                                   host::GradientMode::Vertical}));

// Empty shapes, and calls with coordinates at the ends of the 32-bit range (found by fuzzing), on
// an 8 x 6 white image: no overflow, no loop over pixels off the image, and the part on the image
// drawn as the geometry says.
TEST(CanvasTest, EdgeCasesDrawOnlyWhatTheGeometrySays) {
  QImage source(2, 2, QImage::Format_RGB32);
  source.fill(QColor(0, 0, 0xFF));
  struct Case {
    const char* what;
    std::function<void(Canvas&)> draw;
    std::function<ColorRef(int, int)> want;
  };
  const std::vector<Case> cases = {
      {"nothing to show: empty or inverted rectangles, ellipses too large",
       [](Canvas& dc) {
         dc.FillRect({3, 3, 3, 6}, 0);
         dc.FillRect({5, 4, 2, 2}, 0);
         dc.Rectangle(2, 2, 2, 5);
         dc.Ellipse(kMin, kMin, kMax, kMax);
         dc.Ellipse(-3, kMin, 5, 3);
       },
       [](int, int) { return 0xFFFFFFu; }},
      {"a horizontal and a diagonal line, a filled strip, pixels off the image",
       [](Canvas& dc) {
         dc.MoveToEx(kMin, 2);
         dc.LineTo(kMax, 2);
         dc.MoveToEx(kMin, kMin);
         dc.LineTo(kMax, kMax);
         dc.FillRect({kMin, 4, 2, kMax}, 0x0000FF);
         dc.SetPixelV(-1, 0, 0);
         dc.SetPixelV(kMax, kMin, 0);
       },
       [](int x, int y) -> ColorRef {
         if (y == 2 || x == y) return 0;
         return x < 2 && y >= 4 ? 0x0000FF : 0xFFFFFF;
       }},
      {"rectangle",
       [](Canvas& dc) {
         dc.SelectBrush(0x0000FF);
         dc.Rectangle(kMin, kMin, kMax, kMax);
       },
       [](int, int) { return 0x0000FFu; }},
      {"stretched copy",
       [&source](Canvas& dc) { dc.StretchBlt(0, 0, kMax, kMax, source, 0, 0, 2, 2); },
       [](int, int) { return 0xFF0000u; }},
      {"gradient",
       [](Canvas& dc) {
         dc.GradientFill({kMin, 0, 0xFF00, 0, 0, 0}, {kMax, 6, 0, 0, 0, 0},
                         host::GradientMode::Horizontal);
       },
       [](int, int) { return 127u; }},  // half way: 0xFF00 * (2^31 - 1) / (2^32 - 1), high byte
  };
  for (const Case& c : cases) {
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::white);
    Canvas dc(img);
    c.draw(dc);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x)
        ASSERT_EQ(dc.GetPixel(x, y), c.want(x, y)) << c.what << " at " << x << "," << y;
  }
}

// The stretch against its plain definition, pixel by pixel (destination pixel d of n over s
// source pixels takes source pixel ceil((2d + 1) s / 2n) - 1; pixels whose source falls off the
// picture, or which fall off the canvas, keep what they had): enlarged, shrunk and mixed, partly
// off either edge of the source and of the canvas, and from the canvas onto itself.
TEST(CanvasTest, StretchedCopiesMatchThePlainDefinitionEverywhere) {
  struct Case {
    int x, y, w, h, sx, sy, sw, sh;
    bool fromItself;
  };
  const Case cases[] = {
      {0, 0, 75, 74, 0, 0, 15, 15, false},   {3, 2, 40, 30, -2, -1, 9, 7, false},
      {-5, -4, 30, 33, 2, 3, 7, 11, false},  {10, 20, 7, 5, 0, 0, 19, 13, false},
      {0, 0, 50, 9, 1, 0, 4, 17, false},     {5, 5, 60, 60, 10, 10, 16, 16, true},
      {-3, 30, 90, 12, 20, -4, 9, 30, true}, {44, 50, 40, 40, 14, 14, 5, 5, false},
  };
  QImage picture(23, 19, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, qRgb(x * 11, y * 13, (x * y) & 255));
  auto sourceOf = [](std::int64_t d, std::int64_t n, std::int64_t s) {
    return ((2 * d + 1) * s + 2 * n - 1) / (2 * n) - 1;
  };
  for (const Case& c : cases) {
    QImage canvas(64, 56, QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x)
        canvas.setPixel(x, y, qRgb(255 - x, 128, y));
    const QImage before = canvas;
    const QImage& source = c.fromItself ? before : picture;
    Canvas dc(canvas);
    dc.StretchBlt(c.x, c.y, c.w, c.h, c.fromItself ? canvas : picture, c.sx, c.sy, c.sw, c.sh);
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        QRgb want = before.pixel(x, y);
        const int dx = x - c.x;
        const int dy = y - c.y;
        if (dx >= 0 && dy >= 0 && dx < c.w && dy < c.h) {
          const std::int64_t fx = c.sx + sourceOf(dx, c.w, c.sw);
          const std::int64_t fy = c.sy + sourceOf(dy, c.h, c.sh);
          if (fx >= 0 && fy >= 0 && fx < source.width() && fy < source.height())
            want = source.pixel(static_cast<int>(fx), static_cast<int>(fy));
        }
        ASSERT_EQ(canvas.pixel(x, y), want) << "case " << (&c - cases) << " at " << x << "," << y;
      }
    }
  }
}

// Concentric ellipses painted from the outside in, each leaving its inner neighbour's pixels
// alone, look exactly like the same ellipses painted over one another.
TEST(CanvasTest, EllipsesWithAHoleMatchEllipsesPaintedOverEachOther) {
  QImage over(60, 40, QImage::Format_RGB32);
  over.fill(Qt::white);
  QImage rings = over;
  Canvas a(over);
  Canvas b(rings);
  a.SelectPen(std::nullopt);
  b.SelectPen(std::nullopt);
  for (const auto& [dx, dy] : {std::pair{1, 2}, {2, 1}, {3, 3}}) {
    host::Rect box{-3, 2, 57, 41};
    for (ColorRef c = 0x102030; !box.isEmpty(); c += 0x0A0B0C) {
      const host::Rect next = host::inflated(box, -dx, -dy);
      a.SelectBrush(c);
      b.SelectBrush(c);
      a.Ellipse(box.left, box.top, box.right, box.bottom);
      b.Ellipse(box.left, box.top, box.right, box.bottom, next);
      box = next;
    }
    ASSERT_EQ(over, rings) << dx << "," << dy;
  }
}

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
  for (const host::Region& r : {host::CreateRectRgn(kMin, kMin, kMax, kMax),
                                host::CreateRoundRectRgn(kMin, kMin, kMax, kMax, kMin, kMin),
                                host::CreateRoundRectRgn(0, 0, 4096, 4096, kMax, 20)}) {
    EXPECT_TRUE(host::PtInRegion(r, 100, 100));
    EXPECT_FALSE(r.isEmpty());
  }
}

}  // namespace
