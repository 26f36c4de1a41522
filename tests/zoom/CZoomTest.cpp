// The magnifier engine on a canvas with a fake screen: factor rules, margins, blocks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <stdexcept>

#include "FakeScreenSource.h"
#include "host/core/RuntimeError.h"
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

// A factor outside 1..32 is refused with the engine's run-time error and changes nothing.
TEST(CZoomTest, AFactorOutsideItsRangeIsRefused) {
  FakeScreenSource screen;
  CZoom zoom(screen);
  for (const int bad : {0, 33, -1}) {
    try {
      zoom.ZoomFactor(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const host::RuntimeError& e) {
      EXPECT_EQ(e.number(), 5);
      EXPECT_EQ(e.source(), "CZoom.ZoomFactor");
    }
    EXPECT_EQ(zoom.ZoomFactor(), 5);
  }
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
