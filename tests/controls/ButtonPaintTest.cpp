// The button's shapes and painters, pixel by pixel on its offscreen surface.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <array>
#include <cstdint>
#include <limits>

#include "controls/button/CandyButton.h"
#include "host/draw/Canvas.h"
#include "host/draw/Fonts.h"
#include "host/forms/Form.h"
#include "host/forms/PropertyBag.h"

namespace {

// A button on a window of a known color, loaded with the given Style.
struct Painted {
  host::Form window;
  CandyButton* button;
  Painted(int style, int w, int h) {
    window.BackColor(0x123456);
    button = new CandyButton(&window);
    button->resize(w, h);
    button->load(nullptr);
    button->Enabled(true);  // a new instance outside a designer starts disabled
    button->Caption(QString());
    button->Style(style);
    button->ColorScheme(7);
    button->ForeColor(0xFFFFFF);
  }
  host::ColorRef at(int x, int y) const {
    return host::fromRgb24(button->buffer().pixel(x, y) & 0xFFFFFFu);
  }
};

TEST(ButtonPaintTest, StyleZeroNormalRowsAndCutCorners) {
  Painted p(0, 75, 23);
  p.button->Redraw(CandyButton::Normal);
  EXPECT_EQ(p.at(10, 18), host::RGB(236, 235, 230));  // both gradients; the later wins
  EXPECT_EQ(p.at(10, 19), host::RGB(229, 226, 219));
  EXPECT_EQ(p.at(10, 21), host::RGB(214, 208, 197));
  EXPECT_EQ(p.at(10, 1), host::RGB(254, 254, 254));
  EXPECT_EQ(p.at(10, 0), host::RGB(0, 60, 116));    // the frame's top edge
  EXPECT_EQ(p.at(0, 1), host::RGB(122, 149, 168));  // a corner point
  for (const auto& [x, y] : {std::pair{0, 0}, {74, 0}, {0, 22}, {74, 22}}) {
    EXPECT_EQ(p.at(x, y), 0x123456u) << x << "," << y;  // the container shows through
  }
  p.button->Checked(true);  // looks like a normal one
  EXPECT_EQ(p.at(10, 18), host::RGB(236, 235, 230));
}

TEST(ButtonPaintTest, StyleZeroPressedRunsPastTheEndColorAndHotGlowsOrange) {
  Painted p(0, 75, 23);
  p.button->Redraw(CandyButton::Pressed);
  EXPECT_EQ(p.at(10, 1), host::RGB(209, 204, 193));
  EXPECT_EQ(p.at(10, 4), host::RGB(228, 228, 220));  // the middle gradient draws row 4 last
  p.button->Redraw(CandyButton::Hot);
  EXPECT_EQ(p.at(10, 1), host::RGB(255, 240, 202));
  EXPECT_EQ(p.at(10, 21), host::RGB(229, 151, 0));
  EXPECT_EQ(p.at(1, 10), p.at(73, 10));  // the side strips match
}

TEST(ButtonPaintTest, StyleOneShowsOnlyTheBackgroundAtRestAndGlassWhenHot) {
  Painted p(1, 75, 23);
  p.button->Redraw(CandyButton::Focused);
  EXPECT_EQ(p.at(30, 10), 0x123456u);
  p.button->Redraw(CandyButton::Hot);
  EXPECT_EQ(p.at(30, 17), host::RGB(237, 236, 228));  // t = 17 / 16, past the end color
  EXPECT_EQ(p.at(30, 18), host::RGB(238, 237, 229));  // the later gradient wins
  EXPECT_EQ(p.at(30, 0), host::RGB(206, 206, 195));
  p.button->Checked(true);
  p.button->Redraw(CandyButton::Hot);
  EXPECT_EQ(p.at(30, 10), 0xFFFFFFu);
  EXPECT_EQ(p.at(30, 0), host::RGB(122, 152, 175));
}

TEST(ButtonPaintTest, StyleSixMiddleRowIsTheFaceAndTheRingIsHalfBright) {
  Painted p(6, 75, 24);
  p.button->Redraw(CandyButton::Normal);
  EXPECT_EQ(p.button->radius(), 8);
  EXPECT_EQ(p.at(37, 12), 0x000080u);           // 2y = H: exactly ColorButtonUp
  EXPECT_EQ(p.at(1, 12), host::RGB(64, 0, 0));  // half way from black
  EXPECT_EQ(p.at(74, 12), p.at(1, 12));         // mirrored about W / 2
}

TEST(ButtonPaintTest, RoundedBorderFollowsBrightnessAndDisabledFacesTurnGrey) {
  Painted p(3, 110, 29);
  for (const auto& [brightness, border] :
       {std::pair{0, host::ColorRef{0xB0C0C0}}, {100, 0xFFFFFF}, {-100, 0x000000}}) {
    p.button->Enabled(false);
    p.button->BorderBrightness(brightness);
    EXPECT_EQ(p.at(55, 0), border) << brightness;  // row 0 lies outside the inner shape
  }
  p.button->Enabled(true);
  p.button->BorderBrightness(0);
  EXPECT_EQ(p.at(55, 0), 0x000080u);  // the face color itself
  EXPECT_EQ(p.at(55, 28), 0x000080u);
}

TEST(ButtonPaintTest, GlossRowsFadeFromWhiteAtTheTop) {
  Painted p(3, 110, 29);
  p.button->Redraw(CandyButton::Normal);
  // The inner shape starts at row 2: its gloss line is 70 * 2 / 12 = 11 % of the way from white
  // to the face, row 10 58 %; rows 0 and 1 are border, here the face color itself.
  EXPECT_EQ(p.at(55, 2), host::RGB(242, 227, 227));
  EXPECT_EQ(p.at(55, 10), host::RGB(182, 108, 108));
  EXPECT_EQ(p.at(55, 1), 0x000080u);
}

TEST(ButtonPaintTest, HotCaptionUsesTheHighlightAndRestoresTheDrawingColor) {
  Painted p(99, 110, 29);  // no face: only the caption is drawn
  p.button->Caption(QStringLiteral("MMMM"));
  p.button->CaptionHighLite(true);
  p.button->CaptionHighLiteColor(0x00FF00);
  p.button->Redraw(CandyButton::Hot);
  bool green = false;
  for (int y = 0; y < 29; ++y)
    for (int x = 0; x < 110; ++x)
      green = green || p.at(x, y) == 0x00FF00u;
  EXPECT_TRUE(green);
  EXPECT_EQ(p.button->drawColor(), 0xFFFFFFu);
}

TEST(ButtonPaintTest, PrefixTextHidesTheAmpersand) {
  const QFont f = host::designFont(QStringLiteral("Tahoma"), 8.25, true);
  EXPECT_EQ(host::Canvas::measurePrefixText(QStringLiteral("&Mix"), f).width(),
            host::Canvas::measurePrefixText(QStringLiteral("Mix"), f).width());
  EXPECT_EQ(host::Canvas::measurePrefixText(QStringLiteral("A&&B"), f).width(),
            QFontMetrics(f).horizontalAdvance(QStringLiteral("A&B")));
}

// The painters divide by the height in places; a division by zero would end this program with a
// signal. The inner region of the rounded Styles stays inside even the tiniest button.
TEST(ButtonPaintTest, TinyButtonsOfEveryStyleAndStatePaintWithoutFailing) {
  for (int style = 0; style <= 8; ++style) {
    for (int h = 0; h <= 6; ++h) {
      Painted p(style, h == 0 ? 0 : 12, h);
      p.button->Caption(QStringLiteral("x"));
      for (int state = 0; state <= 5; ++state)
        p.button->Redraw(state);
      if (const auto& inner = p.button->innerRegion()) {
        const host::Rect box = inner->box();
        EXPECT_TRUE(box.isEmpty() || (box.right <= 12 && box.bottom <= h))
            << "Style " << style << " height " << h;
      }
    }
  }
}

// A stored border brightness of any 32-bit value (found by fuzzing: the most negative one could
// not be negated) paints as its end of the -100..100 range does.
TEST(ButtonPaintTest, AnyStoredBorderBrightnessPaintsAsItsEndOfTheRange) {
  for (const auto& [stored, end] : {std::pair{std::numeric_limits<std::int32_t>::min(), -100},
                                    {std::numeric_limits<std::int32_t>::max(), 100}}) {
    std::array<QImage, 2> images;
    for (std::size_t i = 0; i < 2; ++i) {
      host::PropertyBag bag;
      bag.WriteProperty(QStringLiteral("Style"), std::int32_t{3});
      bag.WriteProperty(QStringLiteral("BorderBrightness"), i == 0 ? stored : end);
      host::Form window;
      CandyButton* button = new CandyButton(&window);
      button->resize(110, 29);
      button->load(&bag);
      button->Redraw(CandyButton::Normal);
      images[i] = button->buffer().copy();
    }
    EXPECT_EQ(images[0], images[1]) << stored;
  }
}

// A very large button (found by fuzzing: its glow, some two thousand ellipses each painted over
// the last, took seconds per repaint) paints in a moment: each glow pixel once. Timings under
// the sanitizers say nothing about this, so they skip it.
TEST(ButtonPaintTest, AVeryLargeGlowingButtonPaintsQuickly) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "timed without the sanitizers only";
#endif
  for (const int style : {3, 6}) {
    Painted p(style, 2739, 4011);
    QElapsedTimer clock;
    clock.start();
    p.button->Redraw(CandyButton::Hot);
    EXPECT_LT(clock.elapsed(), 1500) << "Style " << style;
  }
}

}  // namespace
