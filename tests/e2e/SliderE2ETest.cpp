// End to end on a private X server: the real pointer, driven by xdotool, hovers over a stored
// channel slider of the test window, drags its cue from one end to the other and back, and the
// window's label shows each value the slider's Change carried.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include "SliderWindow.h"

namespace {

// Runs one xdotool command and lets the window handle what the X server sent meanwhile.
void xdotool(const QStringList& args) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0) << args.join(' ').toStdString();
  QTest::qWait(30);
}

void pointerTo(QPoint p) {
  xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

class SliderE2E : public ::testing::Test {
 protected:
  SliderE2E() {
    window.Move(1500, 1500);  // 100 pixels from the screen's corner
    window.Show();
  }

  // A point of the red slider, in screen pixels, x from its left edge.
  QPoint onSlider(int x) const { return window.hsbRGB[0]->mapToGlobal(QPoint(x, 7)); }
  QString shown() const { return window.lblValue[0]->Caption(); }

  SliderWindow window;
};

TEST_F(SliderE2E, DragTheCueFromEndToEndAndReadTheLabel) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  HSliderBar& red = *window.hsbRGB[0];
  ASSERT_EQ(red.size(), QSize(158, 14));
  pointerTo(QPoint(20, 20));
  QTRY_COMPARE(red.cueState(), std::int16_t{SliderModel::Normal});

  // Hover, then take the cue (at value 0 it spans pixels 0..9) and drag it past the right end.
  pointerTo(onSlider(40));
  QTRY_COMPARE(red.cueState(), std::int16_t{SliderModel::Over});
  EXPECT_TRUE(red.tmrTestState().Enabled());
  pointerTo(onSlider(5));
  xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
  QTRY_COMPARE(red.cueState(), std::int16_t{SliderModel::Down});
  for (const int x : {40, 100, 150, 260})
    pointerTo(onSlider(x));
  QTRY_COMPARE(shown(), QStringLiteral("255"));
  // Outside the slider, with the button held: pinned to the right end, the Normal look.
  QTRY_COMPARE(red.cueState(), std::int16_t{SliderModel::Normal});
  xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
  QTRY_COMPARE(red.value(), 255);

  // Back from the right end to past the left one; the release over the slider looks Over.
  pointerTo(onSlider(153));
  xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
  for (const int x : {120, 60, 6})
    pointerTo(onSlider(x));
  QTRY_COMPARE(shown(), QStringLiteral("2"));
  pointerTo(onSlider(2));
  xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
  QTRY_COMPARE(shown(), QStringLiteral("0"));
  EXPECT_EQ(red.value(), 0);
  QTRY_COMPARE(red.cueState(), std::int16_t{SliderModel::Over});

  // Leaving returns the look to Normal within a tick, and the watch stops.
  pointerTo(QPoint(20, 20));
  QTRY_COMPARE(red.cueState(), std::int16_t{SliderModel::Normal});
  EXPECT_FALSE(red.tmrTestState().Enabled());
  EXPECT_EQ(window.lblValue[1]->Caption(), QStringLiteral("0"));  // the others did not move
}

}  // namespace
