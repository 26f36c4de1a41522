// Offscreen tests of the runtime's controls: picture box scale and drawing, timers, and where
// text sits. (A text
// box's select-all on a click is checked through the picker's own text boxes.)
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "host/core/RuntimeError.h"
#include "host/draw/Canvas.h"
#include "host/draw/Fonts.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Forms.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/TextBox.h"
#include "host/forms/Timer.h"

namespace {

using host::PictureBox;

// A borderless 10 x 20 pixel box, cleared to white.
std::unique_ptr<PictureBox> whiteBox() {
  auto box = std::make_unique<PictureBox>(nullptr);
  box->BorderStyle(PictureBox::BorderStyleKind::None);
  box->resize(10, 20);
  box->BackColor(0xFFFFFF);
  box->Cls();
  return box;
}

int rowsOf(const PictureBox& box, host::ColorRef color) {
  int rows = 0;
  for (int y = 0; y < box.innerHeight(); ++y) {
    bool all = true;
    for (int x = 0; x < box.innerWidth(); ++x) {
      all = all && (box.buffer().pixel(x, y) & 0xFFFFFFu) == host::toRgb24(color);
    }
    rows += all ? 1 : 0;
  }
  return rows;
}

TEST(PictureBoxTest, BorderTakesTwoPixelsOnEverySide) {
  PictureBox box(nullptr);
  box.resize(12, 59);  // 180 x 885 twips at 15 twips per pixel
  EXPECT_EQ(box.innerWidth(), 8);
  EXPECT_EQ(box.innerHeight(), 55);
  EXPECT_DOUBLE_EQ(box.ScaleWidth(), 8 * 15.0);  // twips until a user scale is set
  box.ScaleMode(PictureBox::ScaleModeKind::Pixels);
  EXPECT_DOUBLE_EQ(box.ScaleHeight(), 55.0);
}

TEST(PictureBoxTest, SettingScaleHeightKeepsTheWidthAndSwitchesToAUserScale) {
  auto box = whiteBox();
  box->ScaleMode(PictureBox::ScaleModeKind::Pixels);
  box->ScaleHeight(255);
  EXPECT_EQ(box->ScaleMode(), PictureBox::ScaleModeKind::User);
  EXPECT_DOUBLE_EQ(box->ScaleWidth(), 10.0);
  EXPECT_EQ(box->scaleYToPixel(255), 20);
  EXPECT_EQ(box->scaleYToPixel(127.5), 10);
}

TEST(PictureBoxTest, FilledBoxFromBottomCornerCoversExactlyItsRows) {
  auto box = whiteBox();
  box->ScaleHeight(100);
  box->Line(0, 100, box->ScaleWidth(), 75, 0x0000FF, PictureBox::LineKind::BoxFilled);
  EXPECT_EQ(rowsOf(*box, 0x0000FF), 5);  // 25 of 100 units of 20 pixels
  EXPECT_EQ(rowsOf(*box, 0xFFFFFF), 15);
  EXPECT_EQ(box->buffer().pixel(0, 19) & 0xFFFFFFu, 0xFF0000u);  // bottom row, red
}

TEST(PictureBoxTest, FilledBoxCoversBothCornerPointsAndNothingMore) {
  auto box = whiteBox();
  box->ScaleMode(PictureBox::ScaleModeKind::Pixels);
  box->Line(6, 9, 2, 3, 0, PictureBox::LineKind::BoxFilled);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x <= 6 && y >= 3 && y <= 9;
      EXPECT_EQ(box->buffer().pixel(x, y) & 0xFFFFFFu, inside ? 0u : 0xFFFFFFu) << x << "," << y;
    }
  }
}

TEST(PictureBoxTest, NotXorPenKeepsTheColorOnWhiteAndInvertsOverItself) {
  auto box = whiteBox();
  box->DrawMode(host::Rop2::NotXorPen);
  box->ScaleMode(PictureBox::ScaleModeKind::Pixels);
  box->Line(0, 0, 10, 20, 0xFFFF00, PictureBox::LineKind::BoxFilled);
  EXPECT_EQ(rowsOf(*box, 0xFFFF00), 20);
  box->Line(0, 0, 10, 20, 0xFFFF00, PictureBox::LineKind::BoxFilled);
  EXPECT_EQ(rowsOf(*box, 0xFFFFFF), 20);  // a second pass restores white
}

TEST(PictureBoxTest, BackColorChangeClearsButTheSameColorKeepsTheDrawing) {
  auto box = whiteBox();
  box->ScaleMode(PictureBox::ScaleModeKind::Pixels);
  box->Line(0, 0, 10, 20, 0, PictureBox::LineKind::BoxFilled);
  box->BackColor(0xFFFFFF);
  EXPECT_EQ(rowsOf(*box, 0), 20);
  box->BackColor(0x00FF00);
  EXPECT_EQ(rowsOf(*box, 0x00FF00), 20);
}

TEST(TimerTest, TicksOnlyWhileEnabledWithAnInterval) {
  host::Timer t;
  int ticks = 0;
  t.Tick.connect([&] { ++ticks; });
  t.Interval(5);
  EXPECT_FALSE(t.isRunning());  // created disabled
  t.Enabled(true);
  EXPECT_TRUE(t.isRunning());
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 5000);
  t.Enabled(false);
  const int atStop = ticks;
  QTest::qWait(50);
  EXPECT_EQ(ticks, atStop);
  t.Enabled(true);
  t.Interval(0);
  EXPECT_FALSE(t.isRunning());
}

TEST(TimerTest, HandlerLettingMessagesRunIsNotReentered) {
  host::Timer t;
  int depth = 0;
  int maxDepth = 0;
  int ticks = 0;
  t.Tick.connect([&] {
    ++depth;
    ++ticks;
    maxDepth = std::max(maxDepth, depth);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15)
      host::DoEvents();  // longer than the interval
    --depth;
  });
  t.Interval(1);
  t.Enabled(true);
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 5000);
  t.Enabled(false);
  EXPECT_EQ(maxDepth, 1);
}

TEST(TimerTest, ARunTimeErrorInTheHandlerDoesNotStopTheTimer) {
  host::Timer t;
  int ticks = 0;
  t.Tick.connect([&] {
    ++ticks;
    throw host::RuntimeError(5, "Test", "Invalid parameter");
  });
  t.Interval(2);
  t.Enabled(true);
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 5000);
}

// Text is placed by the platform's character cell: its baseline one Windows ascent below the
// cell's top (11 pixels for Tahoma at 8.25 points, 9 at 6.75), where the toolkit would put it two
// pixels higher. A capital's baseline is one row below the last row of `area` with ink: a pixel
// other than the area's top-left one (the background).
int baselineIn(const QImage& image, QRect area) {
  const QRgb background = image.pixel(area.topLeft());
  int last = -1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != background) last = y;
    }
  }
  return last + 1;
}

TEST(TextPlacementTest, EveryControlPutsTheBaselineAtTheCellAscent) {
  if (!host::registerApplicationFonts()) GTEST_SKIP() << "Tahoma (fonts-wine) is not installed";
  const QFont bold = host::designFont(QStringLiteral("Tahoma"), 8.25, true);
  const QFont small = host::designFont(QStringLiteral("Tahoma"), 6.75);
  const auto shot = [](QWidget& w, const QFont& font, QSize size) {
    w.setFont(font);
    w.resize(size);
    return w.grab().toImage();
  };
  const auto onCanvas = [](const std::function<void(host::Canvas&)>& draw) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    host::Canvas dc(image);
    draw(dc);
    return image;
  };
  host::Label centred(nullptr), twoLines(nullptr);
  centred.Alignment(host::Label::AlignmentKind::Center);
  centred.Caption(QStringLiteral("R"));
  twoLines.Caption(QStringLiteral("\r\nH"));
  host::Frame frame(nullptr);
  frame.Caption(QStringLiteral("HHHH"));
  host::TextBox roomy(nullptr), tight(nullptr);
  roomy.Text(QStringLiteral("HHHH"));
  tight.Text(QStringLiteral("HHHH"));
  host::CheckBox check(nullptr);
  check.Caption(QStringLiteral("HHHHHHHHHH"));
  struct Case {
    const char* what;
    QImage image;
    QRect area;  // where the caption's ink is looked for
    int baseline;
  };
  const Case cases[] = {
      {"a centred label in a 14-pixel box (3 rows above the R, 3 below)",
       shot(centred, bold, {19, 14}), QRect(0, 0, 19, 14), 11},
      {"a label's second line, one cell (13 pixels) lower", shot(twoLines, bold, {60, 30}),
       QRect(0, 0, 60, 30), 24},
      {"a frame's caption", shot(frame, bold, {80, 40}), QRect(10, 0, 10, 20), 11},
      {"a text box with room for a pixel above its line", shot(roomy, small, {60, 17}),
       QRect(4, 2, 40, 13), 12},
      {"a text box without that room", shot(tight, small, {60, 14}), QRect(4, 2, 40, 10), 11},
      {"a check box's caption, its cell centred in the height", shot(check, bold, {100, 17}),
       QRect(40, 0, 60, 17), 2 + 11},
      {"text out at a point: the cell's top",
       onCanvas([&](host::Canvas& dc) { dc.TextOut(0, 3, QStringLiteral("HH"), bold, 0, 0); }),
       QRect(0, 0, 40, 20), 3 + 11},
      {"a button's prefix caption", onCanvas([&](host::Canvas& dc) {
         dc.DrawPrefixText(0, 2, QStringLiteral("H&&H"), bold, 0, false);
       }),
       QRect(0, 0, 40, 20), 2 + 11},
  };
  for (const Case& c : cases)
    EXPECT_EQ(baselineIn(c.image, c.area), c.baseline) << c.what;
}

}  // namespace
