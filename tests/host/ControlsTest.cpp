// Offscreen tests of the runtime's controls: events with several listeners, a label's click,
// timers, and where text sits. (Picture boxes are checked through the picker's bars, a text box's
// select-all on a click through the picker's own text boxes.)
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "host/core/RuntimeError.h"
#include "host/draw/Canvas.h"
#include "host/draw/Fonts.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Event.h"
#include "host/forms/Forms.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/TextBox.h"
#include "host/forms/Timer.h"

namespace {

TEST(EventTest, ListenersRunInOrderAndAFailingOneDoesNotStopTheRest) {
  host::Event<int&> change("Change");
  std::vector<std::string> seen;
  change.connect([&](int& v) {
    seen.push_back("first " + std::to_string(v));
    v = 7;  // a by-reference argument: later listeners and the raiser see the change
  });
  change.connect([&](int&) {
    seen.push_back("failing");
    throw host::RuntimeError(5, "Test", "Invalid parameter");
  });
  change.connect([&](int& v) {
    seen.push_back("third " + std::to_string(v));
    // Connected while raising: runs from the next raise on.
    change.connect([&](int&) { seen.push_back("late"); });
  });
  int value = 1;
  change.raise(value);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 1", "failing", "third 7"}));
  seen.clear();
  change.raise(value);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 7", "failing", "third 7", "late"}));
}

// (What reaches the window beneath a label is checked through the picker's readouts.)
TEST(MouseEventsTest, ALabelClicksOnALeftButtonReleasedInsideItOnly) {
  QWidget window;
  window.resize(100, 100);
  auto* label = new host::Label(&window);
  label->setGeometry(10, 10, 40, 20);
  int clicks = 0;
  label->Click.connect([&clicks] { ++clicks; });
  window.show();
  QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(label, Qt::RightButton, {}, QPoint(6, 5));
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(7, 5));
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(70, 5));
  EXPECT_EQ(clicks, 1);
}

// A handler that lets messages run for longer than the interval is not entered again.
TEST(TimerTest, TicksOnlyWhileEnabledWithAnIntervalAndNeverReentersItsHandler) {
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
      host::DoEvents();
    --depth;
  });
  t.Interval(1);
  EXPECT_FALSE(t.isRunning());  // created disabled
  t.Enabled(true);
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 5000);
  t.Enabled(false);
  EXPECT_EQ(maxDepth, 1);
  const int atStop = ticks;
  QTest::qWait(50);
  EXPECT_EQ(ticks, atStop);
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
