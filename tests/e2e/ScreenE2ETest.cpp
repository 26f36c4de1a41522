// End to end on a private X server: a window of a known color on the real screen, the real
// pointer moved onto it, the picker's real timer sampling it through the real screen source.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "ColorPickerProbe.h"
#include "Eventually.h"
#include "controls/button/CandyButton.h"
#include "host/draw/SystemColors.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/TextBox.h"
#include "host/screen/QtScreenSource.h"
#include "host/screen/ScreenSourceLoader.h"
#include "host/screen/X11ScreenSource.h"

namespace {

// A plain top-level window filled with one color.
class ColorWindow : public QWidget {
 public:
  ColorWindow(QColor c, QRect geometry) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    setGeometry(geometry);
  }
};

QRgb screenPixel(QPoint p) {
  return QGuiApplication::primaryScreen()->grabWindow(0, p.x(), p.y(), 1, 1).toImage().pixel(0, 0) &
         0xFFFFFFu;
}

// Grabs that follow a moving pointer are cut from what the pointer query read along: they must
// equal a fresh read, for steps within the read-ahead margin and beyond it, and after a drawing.
TEST(ScreenE2E, GrabsFollowingAMovingPointerEqualFreshReads) {
  ColorWindow target(QColor(200, 40, 90), QRect(300, 300, 200, 200));
  target.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
  const std::unique_ptr<host::X11ScreenSource> x11 = host::X11ScreenSource::create();
  ASSERT_NE(x11, nullptr);
  host::QtScreenSource qt;
  struct Step {
    QPoint to;
    QColor paint;  // the window's new color before the step, if valid
  };
  const Step steps[] = {
      {{290, 290}, {}},  {{296, 293}, {}}, {{305, 310}, {}}, {{311, 315}, {10, 220, 30}},
      {{318, 322}, {}},  {{420, 470}, {}}, {{425, 472}, {}}, {{1275, 1020}, {}},
      {{1270, 1018}, {}}};
  for (const Step& step : steps) {
    if (step.paint.isValid()) {
      QPalette p = target.palette();
      p.setColor(QPalette::Window, step.paint);
      target.setPalette(p);
      target.update();
      EXPECT_EVENTUALLY_EQ(qt.pixel(QPoint(400, 400)), host::RGB(10, 220, 30), 5000);
    }
    QCursor::setPos(step.to);
    ASSERT_EQ(QCursor::pos(), step.to);  // a round trip: the display has moved it
    QTest::qWait(3);  // past the pointer's reuse: a query of its own, with the read ahead
    ASSERT_EQ(x11->cursorPos(), step.to);
    const QRect block(step.to - QPoint(7, 7), QSize(15, 15));
    EXPECT_EQ(x11->grab(block), qt.grab(block).convertToFormat(QImage::Format_RGB32))
        << step.to.x() << "," << step.to.y();
  }
  // At least one grab came from the read ahead, so that path was checked. How many do depends on
  // the machine: a step counts only within 50 ms of the last grab, which a loaded machine misses.
  EXPECT_GE(x11->grabsReadAhead(), 1u) << "the small steps were cut from the read ahead";
}

// A window showing an image (x, y) -> (x * 4, y * 4, 0x40), so every magnified block tells
// which screen pixel it came from.
struct PatternWindow : QLabel {
  explicit PatternWindow(QRect geometry) : QLabel(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    QImage image(geometry.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, y, local(QPoint(x, y)));
    setPixmap(QPixmap::fromImage(image));
    setGeometry(geometry);
  }
  static QRgb local(QPoint p) {
    return qRgb((p.x() * 4) & 255, (p.y() * 4) & 255, 0x40) & 0xFFFFFFu;
  }
  QRgb at(QPoint screen) const { return local(screen - geometry().topLeft()); }
};

class PickerE2E : public ::testing::Test {
 protected:
  PickerE2E()
      : behind(QColor(255, 0, 255), QRect(400, 300, 500, 400)),
        target(QColor(255, 128, 0), QRect(0, 0, 300, 300)),
        pattern(QRect(20, 400, 64, 64)),
        picker(*source) {
    for (QWidget* w : {static_cast<QWidget*>(&behind), static_cast<QWidget*>(&target),
                       static_cast<QWidget*>(&pattern)}) {
      w->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    QCursor::setPos(150, 150);
    picker.Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&picker));
  }

  QRgb pickerPixel(QPoint inWindow) const {
    return screenPixel(picker.geometry().topLeft() + inWindow);
  }
  QRgb zoomPixel(int x, int y) const { return probe.Pic_zoom->buffer().pixel(x, y) & 0xFFFFFFu; }

  ColorWindow behind;  // magenta under the picker's corners
  ColorWindow target;
  PatternWindow pattern;
  // The source the program itself uses on X11: shared-memory reads.
  std::unique_ptr<host::ScreenSource> source = host::createScreenSource();
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

TEST_F(PickerE2E, RoundedCornersAndGradientBackgroundOnScreen) {
  QTest::qWait(200);
  EXPECT_EQ(pickerPixel({0, 0}), 0xFF00FFu) << "corner cut: the window behind shows";
  EXPECT_EQ(pickerPixel({1, 0}), 0xFF00FFu);
  EXPECT_EQ(pickerPixel({0, 233}), 0xFF00FFu);
  EXPECT_EQ(pickerPixel({316, 100}), 0xFF00FFu) << "the shape stops one pixel short";
  // Black to blue: column 17, just right of the logo strip, and the last visible column.
  EXPECT_EQ(pickerPixel({17, 100}), 0x00010Bu) << "gradient near its black start";
  EXPECT_EQ(pickerPixel({315, 100}), 0x0217D1u) << "gradient's last visible column";
  EXPECT_EQ(pickerPixel({8, 232}), 0x161616u) << "the logo strip starts dark grey at the bottom";
  EXPECT_GT(qBlue(pickerPixel({8, 2})), 190) << "and ends blue at the top";
  EXPECT_EQ(pickerPixel({150, 10}), 0x222222u) << "top band";
  EXPECT_EQ(pickerPixel({50, 222}), 0x222222u) << "bottom band";
  EXPECT_EQ(pickerPixel({21, 50}), 0x404040u) << "grey frame around the swatches";
  EXPECT_EQ(pickerPixel({21, 170}), 0x0000FFu) << "blue frame around the magnifier";
}

// While the pointer moves across the pattern, every position shows up in the magnifier within a
// few ticks: the centre block and a corner block hold the screen pixels around the pointer.
TEST_F(PickerE2E, MagnifierFollowsAMovingPointer) {
  for (int step = 0; step < 24; ++step) {
    const QPoint cursor(27 + (step * 7) % 50, 407 + (step * 11) % 50);
    QCursor::setPos(cursor);
    EXPECT_EVENTUALLY_EQ(zoomPixel(37, 37), pattern.at(cursor), 1000);
    EXPECT_EQ(zoomPixel(2, 2), pattern.at(cursor - QPoint(7, 7))) << step;
    EXPECT_EQ(zoomPixel(72, 72), pattern.at(cursor + QPoint(7, 7))) << step;
    QTest::qWait(20);
  }
}

// With the pointer still and nothing drawn the magnifier's clock rests; raw motion, a warp and a
// drawing under the pointer each bring the picture up to date.
TEST_F(PickerE2E, TheRestingMagnifierWakesForMotionWarpsAndDrawing) {
  QCursor::setPos(50, 430);
  EXPECT_TRUE(QTest::qWaitFor([&] { return probe.Timer.suspended(); }, 3000));
  ASSERT_EQ(
      QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove_relative"),
                                                    QStringLiteral("3"), QStringLiteral("0")}),
      0);
  EXPECT_EVENTUALLY_EQ(zoomPixel(37, 37), pattern.at({53, 430}), 1000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return probe.Timer.suspended(); }, 3000));
  QCursor::setPos(60, 440);
  EXPECT_EVENTUALLY_EQ(zoomPixel(37, 37), pattern.at({60, 440}), 1000);

  QCursor::setPos(150, 150);  // on the orange window
  EXPECT_EVENTUALLY_EQ(zoomPixel(37, 37), 0xFF8000u, 1000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return probe.Timer.suspended(); }, 3000));
  QPalette p = target.palette();
  p.setColor(QPalette::Window, QColor(10, 220, 30));
  target.setPalette(p);
  target.update();
  EXPECT_EVENTUALLY_EQ(zoomPixel(37, 37), 0x0ADC1Eu, 1000);
}

// With sampling off the mixer button is usable: the real pointer moving onto it paints it hot on
// the screen, moving off paints it normal again.
TEST_F(PickerE2E, TheMixerButtonLightsUpUnderTheRealPointer) {
  probe.Check1->Value(0);
  CandyButton& button = *probe.btn_Mixer;
  ASSERT_TRUE(button.Enabled());
  const QPoint face(30, 20);  // a point of the face, away from the caption (button pixels)
  auto onScreen = [&] { return screenPixel(button.mapToGlobal(face)); };
  auto painted = [&] { return button.buffer().pixel(face) & 0xFFFFFFu; };

  QCursor::setPos(picker.mapToGlobal(QPoint(150, 205)));  // the window's background
  EXPECT_EVENTUALLY_EQ(button.lastState(), static_cast<int>(CandyButton::Normal), 3000);
  EXPECT_EVENTUALLY_EQ(onScreen(), painted(), 5000);
  const QRgb normal = onScreen();

  QCursor::setPos(button.mapToGlobal(QPoint(40, 15)));
  EXPECT_EVENTUALLY_EQ(button.lastState(), static_cast<int>(CandyButton::Hot), 3000);
  EXPECT_EVENTUALLY_EQ(onScreen(), painted(), 5000);
  EXPECT_NE(onScreen(), normal) << "the hot face differs from the normal one";
  EXPECT_TRUE(button.mouseInside());

  QCursor::setPos(picker.mapToGlobal(QPoint(150, 205)));
  EXPECT_EVENTUALLY_EQ(button.lastState(), static_cast<int>(CandyButton::Normal), 3000);
  EXPECT_EVENTUALLY_EQ(onScreen(), normal, 5000);
}

}  // namespace
