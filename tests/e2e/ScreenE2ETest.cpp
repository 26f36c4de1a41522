// End to end on a private X server: a window of a known color on the real screen, the real
// pointer moved onto it, the picker's real timer sampling it through the real screen source.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "host/Label.h"
#include "host/PictureBox.h"
#include "host/Screen.h"
#include "host/TextBox.h"
#include "picker/ColorPicker.h"

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

TEST(ScreenE2E, RealScreenSourceReadsExactPixelsAndInvalidOffScreen) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  ColorWindow target(QColor(12, 200, 77), QRect(20, 20, 120, 120));
  target.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
  host::QtScreenSource source;
  QTRY_COMPARE(source.pixel(QPoint(80, 80)), host::RGB(12, 200, 77));
  EXPECT_EQ(source.pixel(QPoint(-5, 10)), host::kInvalidColor);
  EXPECT_EQ(source.pixel(QPoint(10, 5000)), host::kInvalidColor);
  QCursor::setPos(33, 44);
  QTRY_COMPARE(source.cursorPos(), QPoint(33, 44));
}

TEST(ScreenE2E, PickerSamplesTheColorUnderThePointerAndShowsIt) {
  const QColor known(255, 128, 0);
  ColorWindow target(known, QRect(0, 0, 300, 300));
  target.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
  QCursor::setPos(150, 150);

  host::QtScreenSource source;
  ColorPicker picker(source);
  picker.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
  EXPECT_TRUE(picker.Timer1.Enabled());
  EXPECT_EQ(picker.Timer1.Interval(), 100);

  // The real timer does the sampling.
  QTRY_COMPARE_WITH_TIMEOUT(picker.txt_Hex->Text(), QStringLiteral("FF8000"), 5000);
  EXPECT_EQ(picker.txt_vbcode->Text(), QStringLiteral("&H0080FF&"));
  EXPECT_EQ(picker.lbl_mouse->Caption(), QStringLiteral("X: 150  Y: 150"));
  EXPECT_EQ(picker.lbl_Hue->Caption(), QStringLiteral("30°"));
  EXPECT_EQ(picker.lbl_gryR->Caption(), QStringLiteral("147"));
  EXPECT_EQ(picker.lbl_M->Caption(), QStringLiteral("50 %"));

  // The window is centred on the 1280 x 1024 screen.
  EXPECT_EQ(picker.geometry().size(), QSize(317, 235));
  EXPECT_NEAR(picker.geometry().center().x(), 640, 1);
  EXPECT_NEAR(picker.geometry().center().y(), 512, 1);

  // What a user sees: a few pixels of the picker window on the real screen.
  QTest::qWait(300);
  const QPoint origin = picker.geometry().topLeft();
  auto at = [&](const QWidget* w, QPoint offset) {
    return screenPixel(origin + w->geometry().topLeft() + offset);
  };
  EXPECT_EQ(at(picker.lbl_color, {30, 15}), 0xFF8000u) << "the swatch";
  EXPECT_EQ(at(picker.lbl_Grey, {30, 15}), 0x939393u) << "the grey swatch (147)";
  const QRect bar = picker.Picture1->geometry();
  EXPECT_EQ(at(picker.Picture1, {bar.width() / 2, bar.height() - 4}), 0xFF0000u) << "red bar";
  EXPECT_EQ(at(picker.Picture3, {bar.width() / 2, bar.height() - 4}), 0xFFFFFFu)
      << "blue bar empty";
  EXPECT_EQ(at(picker.Picture6, {bar.width() / 2, 4}), 0xFFFF00u) << "yellow bar full";
  EXPECT_EQ(screenPixel(origin + QPoint(5, 230)), 0x000080u) << "window background";
}

}  // namespace
