// The color-match window: over the swatch, following the pointer, gone after the release. (Keys
// during a carry, Esc among them, are checked on a real display.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include "host/forms/Control.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/platform/Platform.h"
#include "mixer/frmColor.h"
#include "program/ProgramFlags.h"

namespace {

struct Panel {
  host::Form window;  // the picker: loaded, so unloading the match window does not end anything
  host::Frame* frame = new host::Frame(&window);
  host::Label* swatch = new host::Label(frame);
  Panel() {
    window.setGeometry(100, 80, 300, 200);
    host::placeTwips(*frame, {300, 450, 3195, 1005});  // 20, 30 pixels into the window
    host::placeTwips(*swatch, {75, 105, 915, 795});    // 5, 7, 61 x 53 pixels in the frame
    swatch->BackColor(0x0080FF);
    window.Show();
  }
  void release(frmColor& w) const {
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(3, 3), QCursor::pos(), Qt::RightButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &up);
  }
};

TEST(frmColorTest, LiesTwoPixelsInsideTheSwatchFollowsThePointerAndGoesOnRelease) {
  Panel p;
  const QPoint frameAt = p.frame->mapToGlobal(QPoint(0, 0));
  ASSERT_EQ(frameAt, QPoint(120, 110));
  for (int press = 0; press < 2; ++press) {
    const QPoint start = p.swatch->mapToGlobal(QPoint(20, 20));
    QCursor::setPos(start);
    frmColor* window = frmColor::lift(*p.swatch, *p.frame);
    ASSERT_NE(window, nullptr);
    const QPointer<frmColor> lifted = window;
    EXPECT_EQ(window->geometry(), QRect(120 + 5 + 2, 110 + 7 + 2, 57, 49));
    EXPECT_EQ(window->BackColor(), 0x0080FFu);
    EXPECT_TRUE(host::IsTopmost(*window));
    EXPECT_EQ(QWidget::mouseGrabber(), window);

    QCursor::setPos(start + QPoint(200, -30));
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QCursor::pos(), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    EXPECT_EQ(window->pos(), QPoint(327, 89));

    p.release(*window);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(lifted.isNull()) << "a fresh window per press, nothing left behind";
  }
  ProgramFlags::OSMajorVersion = 4;  // a system without the always-on-top band
  frmColor* window = frmColor::lift(*p.swatch, *p.frame);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(host::IsTopmost(*window));
  p.release(*window);
}

}  // namespace
