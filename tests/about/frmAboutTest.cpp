// The about window's fades and what it does to the window that opened it.
#include <gtest/gtest.h>

#include <QTest>

#include "about/frm_about.h"
#include "effects/modOSversion.h"
#include "host/forms/Label.h"
#include "host/platform/Platform.h"
#include "program/ProgramFlags.h"

namespace {

class FakeOwner : public AboutOwner {
 public:
  void stopTimers() override { timersOn = false; }
  void restoreTimers() override {
    timersOn = ProgramFlags::SamplingOn;
    ++restores;
  }
  bool onTopTicked() const override { return onTop; }
  host::Form& ownerWindow() override { return window; }

  host::Form window;
  bool timersOn = true;
  bool onTop = true;
  int restores = 0;
};

class AboutTest : public ::testing::Test {
 protected:
  AboutTest() : about(owner) { owner.window.show(); }
  // Ticks the fade until it stops or the window closes; the alphas applied on the way.
  std::vector<int> runFade() {
    std::vector<int> alphas;
    for (int i = 0; i < 40 && about.Timer1.Enabled() && about.isVisible(); ++i) {
      const int before = about.alpha();
      about.Timer1_Timer();
      if (about.isVisible() && (about.alpha() != before || alphas.empty())) {
        alphas.push_back(about.alpha());
      }
    }
    return alphas;
  }

  FakeOwner owner;
  frm_about about;
};

TEST_F(AboutTest, FadesInOverTwentyTicksAndOutOverNineteen) {
  about.DialogAction(3);
  about.ShowModal();
  EXPECT_TRUE(about.layered());
  const std::vector<int> in = runFade();
  ASSERT_EQ(in.size(), 20u);
  EXPECT_EQ(in.front(), 13);
  EXPECT_EQ(in[1], 26);
  EXPECT_EQ(in[18], 247);
  EXPECT_EQ(in.back(), 255);
  EXPECT_FALSE(about.Timer1.Enabled());

  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_TRUE(about.isVisible());  // the close turned into a fade-out
  const std::vector<int> out = runFade();
  ASSERT_EQ(out.size(), 19u);
  EXPECT_EQ(out.front(), 243);
  EXPECT_EQ(out.back(), 9);
  EXPECT_FALSE(about.isVisible());
}

// Where windows do not fade, no action is asked for: a plain window that closes at once.
TEST_F(AboutTest, WithoutAnActionItIsAPlainWindowThatClosesAtOnce) {
  about.ShowModal();
  EXPECT_FALSE(about.layered());
  about.unload();
  EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutTest, OwnersTimersStopWhileOpenAndFollowTheSwitchAfterwards) {
  for (const bool sampling : {true, false}) {
    ProgramFlags::SamplingOn = sampling;
    owner.timersOn = true;
    about.ShowModal();
    EXPECT_FALSE(owner.timersOn);
    EXPECT_TRUE(ProgramFlags::AboutOpen);
    EXPECT_FALSE(host::IsTopmost(owner.window));
    about.unload();
    EXPECT_EQ(owner.timersOn, sampling);
    EXPECT_FALSE(ProgramFlags::AboutOpen);
    EXPECT_TRUE(host::IsTopmost(owner.window));  // "Always on Top" is ticked
  }
  owner.onTop = false;
  about.ShowModal();
  about.unload();
  EXPECT_FALSE(host::IsTopmost(owner.window));
}

}  // namespace
