// The magnifier engine on a canvas with a fake screen: factor rules, margins, blocks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <stdexcept>

#include "FakeScreenSource.h"
#include "host/core/RuntimeError.h"
#include "host/draw/SystemColors.h"
#include "host/forms/PictureBox.h"
#include "zoom/CZoom.h"

namespace {

// A screen whose pixel (x, y) has red x, green y and blue 0x40, so every copied block says
// where it came from.
QImage gradientScreen(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y, qRgb(x & 255, y & 255, 0x40));
  return img;
}

host::ColorRef screenColor(int x, int y) {
  return host::RGB(x & 255, y & 255, 0x40);
}

TEST(CZoomTest, DefaultsAndTheFactorRange) {
  FakeScreenSource screen;
  CZoom zoom(screen);
  EXPECT_EQ(zoom.ZoomFactor(), 5);
  EXPECT_FALSE(zoom.ShowFullPixelsOnly());
  EXPECT_TRUE(zoom.MouseCentered());
  EXPECT_EQ(zoom.MaxZoomFactor(), 32);
  for (const int bad : {0, 33, -1}) {
    try {
      zoom.ZoomFactor(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const host::RuntimeError& e) {
      EXPECT_EQ(e.number(), 5);
      EXPECT_EQ(e.source(), "CZoom.ZoomFactor");
      EXPECT_EQ(e.description(), "Invalid parameter");
    }
    EXPECT_EQ(zoom.ZoomFactor(), 5);
  }
  zoom.ZoomFactor(1);
  EXPECT_EQ(zoom.ZoomFactor(), 1);
  zoom.ZoomFactor(32);
  EXPECT_EQ(zoom.ZoomFactor(), 32);
}

class ZoomCanvasTest : public ::testing::Test {
 protected:
  ZoomCanvasTest()
      : screen(gradientScreen(1024, 768)), zoom(screen), image(101, 101, QImage::Format_RGB32) {
    image.fill(QColor(0x12, 0x34, 0x56));
  }
  FakeScreenSource screen;
  CZoom zoom;
  QImage image;
};

TEST_F(ZoomCanvasTest, EveryScreenPixelBecomesABlockAndMarginsGetTheBackground) {
  screen.setCursor(QPoint(0, 0));
  host::Canvas dc(image);
  zoom.Zoom(dc, 0, 0, 101, 101, host::RGB(0, 255, 0));
  EXPECT_EQ(screen.grabs(), 1);
  for (int y = 0; y < 101; ++y) {
    for (int x = 0; x < 101; ++x) {
      // 10 columns and rows of background left of and above the cursor's screen pixel (0, 0).
      const host::ColorRef want =
          (x < 50 || y < 50) ? host::RGB(0, 255, 0) : screenColor((x - 50) / 5, (y - 50) / 5);
      ASSERT_EQ(dc.GetPixel(x, y), want) << x << "," << y;
    }
  }
}

TEST_F(ZoomCanvasTest, ASystemColorBackgroundIsItsCurrentValue) {
  screen.setCursor(QPoint(0, 0));
  host::Canvas dc(image);
  zoom.Zoom(dc, 0, 0, 101, 101, host::SystemColor::ButtonFace);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(dc.GetPixel(0, 0), host::fromQColor(face));
  // An untranslatable value paints black rather than failing.
  zoom.Zoom(dc, 0, 0, 101, 101, 0x8000FFFFu);
  EXPECT_EQ(dc.GetPixel(0, 0), 0u);
}

TEST_F(ZoomCanvasTest, CursorOffEveryScreenPaintsBackgroundOnly) {
  screen.setCursor(QPoint(-500, 40));
  host::Canvas dc(image);
  zoom.Zoom(dc, 0, 0, 101, 101, host::RGB(0, 0, 255));
  EXPECT_EQ(screen.grabs(), 0);
  EXPECT_EQ(dc.GetPixel(0, 0), host::RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(100, 100), host::RGB(0, 0, 255));
}

TEST_F(ZoomCanvasTest, ReadsTheMonitorUnderTheCursor) {
  // Two monitors side by side over the fake image: the cursor near the right one's left edge
  // gets background, not the neighbour's pixels.
  screen.setMonitors({QRect(0, 0, 512, 768), QRect(512, 0, 512, 768)});
  screen.setCursor(QPoint(513, 300));
  host::Canvas dc(image);
  zoom.Zoom(dc, 0, 0, 101, 101, host::RGB(0, 255, 0));
  EXPECT_EQ(dc.GetPixel(44, 50), host::RGB(0, 255, 0));  // would be screen x 511
  EXPECT_EQ(dc.GetPixel(45, 50), screenColor(512, 300));
  EXPECT_EQ(dc.GetPixel(50, 50), screenColor(513, 300));
}

TEST_F(ZoomCanvasTest, ZoomCanvasFillsAPictureBoxInPixels) {
  host::PictureBox box(nullptr);
  box.BorderStyle(host::PictureBox::BorderStyleKind::None);
  box.resize(75, 74);
  box.ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  box.BackColor(host::RGB(9, 9, 9));
  screen.setCursor(QPoint(1023, 767));
  zoom.ZoomCanvas(box);
  const auto at = [&](int x, int y) {
    return host::fromRgb24(box.buffer().pixel(x, y) & 0xFFFFFFu);
  };
  EXPECT_EQ(at(35, 35), screenColor(1023, 767));  // cursor block: columns 35..39
  EXPECT_EQ(at(40, 35), host::RGB(9, 9, 9));      // right of the screen
  EXPECT_EQ(at(35, 73), host::RGB(9, 9, 9));      // below it
  EXPECT_EQ(at(0, 0), screenColor(1016, 760));
}

// A still pointer over a still screen costs no paint; any change paints again: the pointer, the
// screen's pixels, the factor, the background, or another drawing on the box.
TEST_F(ZoomCanvasTest, AnUnchangedViewIsNotPaintedAgain) {
  host::PictureBox box(nullptr);
  box.BorderStyle(host::PictureBox::BorderStyleKind::None);
  box.resize(75, 74);
  box.ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  screen.setCursor(QPoint(300, 200));
  ASSERT_TRUE(zoom.ZoomCanvas(box));
  EXPECT_FALSE(zoom.ZoomCanvas(box));
  screen.setCursor(QPoint(301, 200));
  EXPECT_TRUE(zoom.ZoomCanvas(box));
  QImage changed = gradientScreen(1024, 768);
  changed.setPixel(301, 200, qRgb(1, 2, 3));
  screen.setImage(changed);
  EXPECT_TRUE(zoom.ZoomCanvas(box));
  EXPECT_EQ(box.buffer().pixel(37, 37) & 0xFFFFFFu, 0x010203u);
  zoom.ZoomFactor(15);
  EXPECT_TRUE(zoom.ZoomCanvas(box));
  EXPECT_FALSE(zoom.ZoomCanvas(box));
  box.BackColor(host::RGB(7, 7, 7));  // clears the drawing
  EXPECT_TRUE(zoom.ZoomCanvas(box));
  box.Cls();
  EXPECT_TRUE(zoom.ZoomCanvas(box));
  EXPECT_EQ(box.buffer().pixel(37, 37) & 0xFFFFFFu, 0x010203u);
}

// A run-time error of the paint ends it quietly and is logged once; a programming error reaches
// the caller's handler boundary; either way the next tick paints again.
TEST_F(ZoomCanvasTest, AFailedPaintIsLoggedOnceAndAProgrammingErrorGoesOn) {
  host::PictureBox box(nullptr);
  box.resize(75, 74);
  box.ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  static int warnings = 0;
  warnings = 0;
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        warnings += type == QtWarningMsg ? 1 : 0;
      });
  screen.failReads([] { throw host::RuntimeError(5, "Screen.cursorPos", "Invalid parameter"); });
  for (int tick = 0; tick < 3; ++tick)
    EXPECT_FALSE(zoom.ZoomCanvas(box));
  EXPECT_EQ(warnings, 1);
  screen.failReads([] { throw std::logic_error("a bug"); });
  EXPECT_THROW(zoom.ZoomCanvas(box), std::logic_error);
  qInstallMessageHandler(previous);
  screen.failReads(nullptr);
  EXPECT_TRUE(zoom.ZoomCanvas(box));
}

TEST(CZoomTest, MouseOverWindowExcludesTheRightAndBottomEdges) {
  FakeScreenSource screen;
  CZoom zoom(screen);
  QWidget window;
  window.setGeometry(100, 50, 20, 10);
  const struct {
    QPoint at;
    bool inside;
  } cases[] = {{{100, 50}, true},
               {{119, 59}, true},
               {{120, 55}, false},
               {{110, 60}, false},
               {{99, 55}, false}};
  for (const auto& c : cases) {
    screen.setCursor(c.at);
    EXPECT_EQ(zoom.IsMouseOverWindow(window), c.inside) << c.at.x() << "," << c.at.y();
  }
}

}  // namespace
