// The picker's life offscreen: loading, the switch, keys, the zoom menu and the timers' states.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include "ColorPickerProbe.h"
#include "Eventually.h"
#include "FakeScreenSource.h"
#include "about/frm_about.h"
#include "controls/button/CandyButton.h"
#include "effects/cLogo.h"
#include "effects/modOSversion.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Forms.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/TextBox.h"
#include "host/platform/Platform.h"
#include "program/ProgramFlags.h"
#include "zoom/CZoom.h"

namespace {

host::OSVersionRecord windowsRecord(int major) {
  host::OSVersionRecord r;
  r.major = major;
  r.minor = 1;
  r.platformId = 2;
  return r;
}

class LifecycleTest : public ::testing::Test {
 protected:
  LifecycleTest() : screen(QImage(400, 300, QImage::Format_RGB32)), picker(screen) {
    host::setBeepHandler([this](int f, int ms) { beeps.emplace_back(f, ms); });
    host::setEndHandler([this] { ++ends; });
    screen.fill(host::RGB(255, 128, 0));
    screen.setCursor(QPoint(10, 10));
  }
  ~LifecycleTest() override {
    host::setBeepHandler(nullptr);
    host::setEndHandler(nullptr);
  }

  void load() {
    picker.Show();
    picker.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
  }
  // Which zoom items carry a check mark. An item the menu draws with a check box (checkable)
  // that is not ticked shows an empty box, which the design does not have.
  std::vector<int> checkedZoomItems() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < probe.mnuZoom.size(); ++i) {
      const host::MenuItem& item = *probe.mnuZoom[i];
      EXPECT_EQ(item.action()->isCheckable(), item.Checked()) << "item " << i;
      EXPECT_EQ(item.action()->isChecked(), item.Checked()) << "item " << i;
      if (item.Checked()) out.push_back(static_cast<int>(i));
    }
    return out;
  }
  // A mouse move over `w` at its point (5, 5) with `buttons` held.
  static void moveOver(QWidget* w, Qt::MouseButtons buttons) {
    const QPoint local(5, 5);
    QMouseEvent e(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  bool zoomOn() const { return probe.Timer.Enabled(); }
  bool samplingOn() const { return probe.Timer1.Enabled(); }

  FakeScreenSource screen;
  ColorPicker picker;
  ColorPickerProbe probe{picker};
  std::vector<std::pair<int, int>> beeps;
  int ends = 0;
};

TEST_F(LifecycleTest, LoadingStartsBothClocksOnTopAfterTheTones) {
  load();
  EXPECT_EQ(checkedZoomItems(), std::vector<int>{4});
  EXPECT_EQ(probe.zoom()->ZoomFactor(), 5);
  EXPECT_FALSE(probe.mnuItem[1]->Visible() || probe.mnuItem[2]->Visible());
  EXPECT_TRUE(samplingOn() && zoomOn());
  EXPECT_TRUE(ProgramFlags::SamplingOn);
  EXPECT_FALSE(probe.btn_Mixer->Enabled());
  EXPECT_TRUE(host::IsTopmost(picker));
  EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{
                       {1000, 50}, {1500, 50}, {2000, 50}, {2500, 50}, {3000, 50}}));
  EXPECT_TRUE(probe.logo()->Caption().startsWith(QStringLiteral("::: Tintwell :::   v ")));
}

TEST_F(LifecycleTest, AnOldSystemGetsNoTopmostAndADisabledSwitch) {
  modOSversion::GetOSVersion(windowsRecord(4));
  load();
  EXPECT_FALSE(host::IsTopmost(picker));
  EXPECT_FALSE(probe.onTop->Enabled());
  EXPECT_EQ(probe.onTop->Value(), 1);
}

TEST_F(LifecycleTest, SpaceFreezesTheReadoutsAndSpaceAgainGoesLive) {
  load();
  probe.Timer1_Timer();
  ASSERT_EQ(probe.txt_Hex->Text(), QStringLiteral("FF8000"));
  probe.Check1->setFocus();
  QTest::keyClick(probe.Check1, Qt::Key_Space);
  EXPECT_FALSE(samplingOn() || zoomOn() || ProgramFlags::SamplingOn);
  EXPECT_TRUE(probe.btn_Mixer->Enabled());

  screen.fill(host::RGB(0, 0, 255));
  screen.setCursor(QPoint(50, 60));
  QTest::qWait(250);  // two and a half sampling intervals: nothing may change
  EXPECT_EQ(probe.txt_Hex->Text(), QStringLiteral("FF8000"));
  EXPECT_EQ(probe.lbl_mouse->Caption(), QStringLiteral("X: 10  Y: 10"));

  QTest::keyClick(probe.Check1, Qt::Key_Space);
  EXPECT_EVENTUALLY_EQ(probe.txt_Hex->Text(), QStringLiteral("0000FF"), 2000);
  EXPECT_FALSE(probe.btn_Mixer->Enabled());
}

// While the window has the keyboard and samples, the arrows move the pointer by one physical pixel
// (ten with Shift) from whichever control holds the focus, and keep the focus where it is: Space
// then still freezes the readouts at the pixel stepped onto. Frozen, they move nothing.
TEST_F(LifecycleTest, ArrowKeysNudgeThePointerAndSpaceStillFreezes) {
  load();
  struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint to;
  };
  const Press presses[] = {
      {Qt::Key_Right, Qt::NoModifier, {11, 10}},      {Qt::Key_Down, Qt::NoModifier, {11, 11}},
      {Qt::Key_Right, Qt::ShiftModifier, {21, 11}},   {Qt::Key_Down, Qt::ShiftModifier, {21, 21}},
      {Qt::Key_Left, Qt::NoModifier, {20, 21}},       {Qt::Key_Up, Qt::ShiftModifier, {20, 11}},
      {Qt::Key_Left, Qt::ShiftModifier, {10, 11}},    {Qt::Key_Up, Qt::NoModifier, {10, 10}},
      {Qt::Key_Right, Qt::ControlModifier, {10, 10}},
  };
  for (QWidget* focus :
       {static_cast<QWidget*>(probe.Check1), static_cast<QWidget*>(probe.txt_Hex)}) {
    focus->setFocus();
    for (const Press& p : presses) {
      QTest::keyClick(focus, p.key, p.modifiers);
      EXPECT_EQ(screen.cursorPos(), p.to) << focus->objectName().toStdString() << " " << p.key;
      if (p.modifiers == Qt::ControlModifier) continue;  // the control's own
      EXPECT_EQ(QApplication::focusWidget(), focus) << "the arrows leave the focus alone";
    }
  }

  // Frozen, they are the controls' own.
  QTest::keyClick(probe.Check1, Qt::Key_Space);
  QTest::keyClick(probe.Check1, Qt::Key_Right);
  EXPECT_EQ(screen.cursorPos(), QPoint(10, 10));
}

TEST_F(LifecycleTest, ZoomTimerFollowsTheDesignedTable) {
  load();
  probe.Check1->Value(0);
  EXPECT_FALSE(zoomOn());
  probe.mnuZoom_Click(6);  // a factor while sampling is off starts the magnifier
  EXPECT_TRUE(zoomOn());
  EXPECT_FALSE(samplingOn());
  probe.mnuItem_Click(1);
  EXPECT_TRUE(zoomOn());
  picker.showMinimized();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !zoomOn(); }, 5000));
  EXPECT_FALSE(samplingOn());
  picker.showNormal();
  EXPECT_TRUE(QTest::qWaitFor([&] { return zoomOn(); }, 5000));
  probe.Check1->Value(1);
  EXPECT_TRUE(zoomOn() && samplingOn());
  probe.Check1->Value(2);  // greyed: nothing
  EXPECT_TRUE(zoomOn() && samplingOn());
}

// Ticks that paint nothing let the magnifier's clock rest, but only where the source can wake
// it; a wake brings the ticks back, and a pointer that moved paints at once.
TEST_F(LifecycleTest, AnUnchangedMagnifierRestsUntilTheScreenSourceWakesIt) {
  load();
  auto quietTicks = [&](int n) {
    for (int i = 0; i < n; ++i)
      probe.Timer_Timer();
  };
  quietTicks(ColorPickerProbe::kQuietTicksBeforeRest + 1);
  EXPECT_FALSE(probe.Timer.suspended()) << "a source that cannot wake: the ticks go on";

  screen.setWakes(true);
  quietTicks(ColorPickerProbe::kQuietTicksBeforeRest);
  EXPECT_TRUE(probe.Timer.suspended());
  EXPECT_TRUE(probe.Timer.Enabled()) << "resting is not disabling";
  EXPECT_FALSE(probe.Timer.isRunning());

  screen.activity();  // (what wakes it, and the picture then, is checked on a real display)
  EXPECT_TRUE(probe.Timer.isRunning());

  // Resting, then sampling switched off and on: the switch re-arms the clock itself.
  quietTicks(ColorPickerProbe::kQuietTicksBeforeRest);
  ASSERT_TRUE(probe.Timer.suspended());
  probe.Check1->Value(0);
  probe.Check1->Value(1);
  EXPECT_TRUE(probe.Timer.isRunning());
}

TEST_F(LifecycleTest, ChoosingAFactorTicksOnlyItAndRetitlesTheMagnifier) {
  load();
  probe.mnuZoom[5]->action()->trigger();
  EXPECT_EQ(checkedZoomItems(), std::vector<int>{5});
  EXPECT_EQ(probe.zoom()->ZoomFactor(), 15);
  EXPECT_EQ(probe.lbl_zoom_size->Caption(), QStringLiteral("Zoom (15x)"));
  EXPECT_EQ(probe.Pic_zoom->toolTip(), QStringLiteral("15x zoom at cursor"));
  probe.mnuZoom[0]->action()->trigger();
  EXPECT_EQ(checkedZoomItems(), std::vector<int>{0});
  EXPECT_EQ(probe.zoom()->ZoomFactor(), 1);
}

TEST_F(LifecycleTest, RightClickOnTheBackgroundOpensTheMenuButNotOnAReadout) {
  load();
  QMenu* menu = probe.mnuPopup.qmenu();
  QTest::mouseClick(probe.lbl_color, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(menu->isVisible());
  QTest::mouseClick(&picker, Qt::RightButton, {}, QPoint(150, 205));
  ASSERT_TRUE(menu->isVisible());
  std::vector<QString> visible;
  for (QAction* a : menu->actions()) {
    if (a->isVisible()) visible.push_back(a->text());
  }
  EXPECT_EQ(visible, std::vector<QString>{QStringLiteral("Zoom at cursor")});
  menu->hide();
}

TEST_F(LifecycleTest, EscEndsAtOnceAndF1OpensTheAboutWindowModally) {
  load();
  probe.Check1->setFocus();
  QTest::keyClick(probe.Check1, Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  QTest::keyClick(probe.Check1, Qt::Key_F1);
  ASSERT_NE(probe.about(), nullptr);
  EXPECT_TRUE(probe.about()->isVisible());
  EXPECT_EQ(probe.about()->windowModality(), Qt::ApplicationModal);
  EXPECT_FALSE(samplingOn() || zoomOn());
  EXPECT_TRUE(probe.about()->layered());  // faded on a system other than Windows 95/98
}

TEST_F(LifecycleTest, TheCloseLabelEndsTheProgramAfterTheWindowShrinksAway) {
  load();
  QTest::mouseClick(probe.lbl_Exit, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(picker.isVisible());
  EXPECT_EQ(ends, 1);
}

// Between the start-up tones user input runs: " X" or Esc there ends the program, and the window
// is not shown again when loading finishes.
TEST_F(LifecycleTest, TheCloseLabelDuringTheTonesEndsTheProgram) {
  host::setBeepHandler([this](int f, int) {
    if (f == 1500) QTest::mouseClick(probe.lbl_Exit, Qt::LeftButton, {}, QPoint(5, 5));
  });
  picker.Show();
  EXPECT_FALSE(picker.isVisible());
  EXPECT_EQ(ends, 1);
}

TEST_F(LifecycleTest, EscDuringTheTonesEndsTheProgram) {
  host::setBeepHandler([this](int f, int) {
    if (f == 1500) QTest::keyClick(probe.Check1, Qt::Key_Escape);
  });
  picker.Show();
  EXPECT_EQ(ends, 1);
}

// Only the left button alone starts a drag (the drag itself is checked on a real display).
TEST_F(LifecycleTest, OnlyALeftButtonDragMovesTheWindow) {
  load();
  for (const Qt::MouseButtons held :
       {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton,
        Qt::MouseButtons(Qt::LeftButton)}) {
    QTest::mousePress(probe.lbl_red, Qt::LeftButton, {}, QPoint(5, 5));
    moveOver(probe.lbl_red, held);
    EXPECT_EQ(QWidget::mouseGrabber(), held == Qt::LeftButton ? &picker : nullptr)
        << "buttons " << held;
    QTest::mouseRelease(probe.lbl_red, Qt::LeftButton, {}, QPoint(5, 5));
  }
}

// The background, the logo strip, the swatches and the magnifier keep the switch focused, so
// Space reaches it; the readouts only drag.
TEST_F(LifecycleTest, MovingOverTheBackgroundGivesTheSwitchTheFocus) {
  load();
  const std::vector<std::pair<QWidget*, bool>> cases = {
      {&picker, true},          {probe.picLogo, true},  {probe.lbl_color, true},
      {probe.lbl_Grey, true},   {probe.Pic_zoom, true}, {probe.lbl_red, false},
      {probe.txt_vbcode, false}};
  for (const auto& [over, focuses] : cases) {
    probe.txt_Hex->setFocus();
    moveOver(over, Qt::NoButton);
    EXPECT_EQ(probe.Check1->hasFocus(), focuses) << over->objectName().toStdString();
  }
}

TEST_F(LifecycleTest, UntickingAlwaysOnTopLeavesTheBandAndGivesTheSwitchTheFocus) {
  load();
  probe.onTop->Value(0);
  EXPECT_FALSE(host::IsTopmost(picker));
  EXPECT_TRUE(probe.Check1->hasFocus());
  probe.onTop->Value(1);
  EXPECT_TRUE(host::IsTopmost(picker));
}

}  // namespace
