// The slider's mouse interaction on a fake clock (the leave watch ticked by hand, the window
// under the pointer chosen by the test): the drag arithmetic on the picker's channel slider,
// the looks, the events and their arguments, the plain style's cue drag, and disabled sliders.
#include "SliderFixture.h"

namespace {

using namespace slidertest;
using SliderInputTest = SliderTest;
using SliderModel::Down;
using SliderModel::Normal;
using SliderModel::Over;

TEST_F(SliderInputTest, TheDesignedDragOnAChannelSlider) {
  make();
  under = slider;
  press(100);  // on the track, away from the cue: nothing moves yet
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(slider->cueState(), Over);
  move(6, Qt::LeftButton);
  move(6, Qt::LeftButton);  // the same value again is still a Change
  EXPECT_EQ(changes, (std::vector<std::int32_t>{2, 2}));
  EXPECT_EQ(slider->cueState(), Down);
  release(153);
  EXPECT_EQ(changes, (std::vector<std::int32_t>{2, 2, 255}));
  EXPECT_EQ(slider->value(), 255);
  EXPECT_EQ(slider->cueState(), Over);
  EXPECT_FALSE(slider->dragging());
  // A click on the track centres the cue on it, with one Change at the release.
  press(100);
  release(100);
  EXPECT_EQ(changes, (std::vector<std::int32_t>{2, 2, 255, 164}));
}

TEST_F(SliderInputTest, EventsCarryTheRuntimesArguments) {
  make();
  under = slider;
  press(40, Qt::RightButton);
  move(41, Qt::RightButton);
  release(42, Qt::RightButton);
  // The right button changes nothing but raises its events.
  EXPECT_EQ(slider->cueState(), Normal);
  EXPECT_FALSE(slider->dragging());
  EXPECT_TRUE(changes.empty());
  ASSERT_EQ(events.size(), 3u);
  EXPECT_STREQ(events[0].event, "MouseDown");
  EXPECT_EQ(events[0].button, 2);
  EXPECT_EQ(events[0].x, 40.0f);
  EXPECT_EQ(events[0].y, 7.0f);
  EXPECT_STREQ(events[1].event, "MouseMove");
  EXPECT_STREQ(events[2].event, "MouseUp");
}

TEST_F(SliderInputTest, APressOnTheCuesLeftEdgeLooksOverAndOnItsRightEdgeDown) {
  make().value(128);  // the cue spans 74.29 .. 84.29
  const auto left = static_cast<double>(slider->cueGeometry().left);
  const struct {
    double x;
    std::int16_t look;
  } presses[] = {{left, Over}, {left + 0.5, Down}, {left + 10, Down}, {left + 10.5, Over}};
  for (const auto& p : presses) {
    press(p.x);
    EXPECT_EQ(slider->cueState(), p.look) << p.x;
    EXPECT_EQ(slider->value(), 128);  // a press does not move the cue
    release(left + 5);
  }
}

TEST_F(SliderInputTest, TheLeaveWatchRunsOnlyWhileThePointerIsOver) {
  make();
  EXPECT_TRUE(slider->tmrTestState().Enabled());  // on from the start ...
  tick();
  EXPECT_FALSE(slider->tmrTestState().Enabled());  // ... until a tick finds the pointer away
  under = slider;
  move(30);
  EXPECT_TRUE(slider->tmrTestState().Enabled());
  EXPECT_EQ(slider->cueState(), Over);
  EXPECT_EQ(pixel(100), kTrackOver);
  tick();
  EXPECT_TRUE(slider->tmrTestState().Enabled());
  under = nullptr;
  tick();
  EXPECT_FALSE(slider->tmrTestState().Enabled());
  EXPECT_EQ(slider->cueState(), Normal);
  EXPECT_FALSE(slider->hovering());
  EXPECT_EQ(pixel(100), kTrack);
}

TEST_F(SliderInputTest, DraggingOutPinsTheCueAndShowsNormalUntilBack) {
  make().value(100);
  under = slider;
  press(static_cast<double>(slider->cueGeometry().left + 5));
  EXPECT_EQ(slider->cueState(), Down);
  under = nullptr;
  move(400, Qt::LeftButton);
  EXPECT_EQ(slider->cueState(), Normal);
  EXPECT_EQ(slider->cueGeometry().left, 148.0f);
  EXPECT_EQ(slider->value(), 255);
  move(-50, Qt::LeftButton);
  EXPECT_EQ(slider->cueGeometry().left, 0.0f);
  EXPECT_EQ(slider->value(), 0);
  under = slider;
  move(50, Qt::LeftButton);
  EXPECT_EQ(slider->cueState(), Down);
  EXPECT_FALSE(slider->hovering());
  release(50);
  EXPECT_EQ(changes, (std::vector<std::int32_t>{255, 0, 78, 78}));
}

TEST_F(SliderInputTest, AChangeListenerThatAssignsItsArgumentSetsTheValue) {
  make();
  slider->Change.connect([](std::int32_t& v) { v = 7; });
  under = slider;
  press(100);
  move(120, Qt::LeftButton);
  EXPECT_EQ(slider->value(), 7);
  EXPECT_EQ(changes.back(), 198);  // the recorder ran first and saw the dragged value
}

TEST_F(SliderInputTest, NoValueWhereThePositionMapsToNone) {
  const struct {
    const char* what;
    std::int32_t min, max, cueWidth;
  } cases[] = {{"equal bounds", 5, 5, 10}, {"a cue as wide as the slider", 0, 255, 158}};
  for (const auto& c : cases) {
    bag.WriteProperty(QStringLiteral("min"), c.min);
    bag.WriteProperty(QStringLiteral("max"), c.max);
    bag.WriteProperty(QStringLiteral("cuewidth"), c.cueWidth);
    bag.WriteProperty(QStringLiteral("value"), std::int32_t{5});
    changes.clear();
    make();
    under = slider;
    press(100);
    move(30, Qt::LeftButton);
    release(60);
    EXPECT_EQ(slider->value(), 5) << c.what;
    EXPECT_TRUE(changes.empty()) << c.what;
    EXPECT_EQ(slider->cueState(), Over) << c.what;
  }
}

TEST_F(SliderInputTest, ADisabledSliderRaisesNothingAndItsWatchStops) {
  make();
  under = slider;
  move(30);
  ASSERT_EQ(slider->cueState(), Over);
  events.clear();
  slider->Enabled(false);
  press(5);
  move(60, Qt::LeftButton);
  release(60);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(slider->value(), 0);
  tick();  // the platform reports no disabled window under the pointer
  EXPECT_FALSE(slider->tmrTestState().Enabled());
  EXPECT_EQ(slider->cueState(), Normal);
}

class PlainCueDrag : public SliderTest {
 protected:
  PlainCueDrag() {
    bag.WriteProperty(QStringLiteral("style"), std::int32_t{0});
    make();
    under = slider;
  }
  host::PictureBox& cue() { return slider->Cue(); }
};

TEST_F(PlainCueDrag, TheCueKeepsTheOffsetItWasGrabbedAt) {
  press(3, Qt::LeftButton, &cue());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].x, 3.0f);  // the cue's own coordinates
  for (const double pointer : {53.0, 80.0, 20.0}) {
    move(pointer - cue().x(), Qt::LeftButton, &cue());
    EXPECT_EQ(slider->cueGeometry().left, pointer - 3) << pointer;
  }
  move(500 - cue().x(), Qt::LeftButton, &cue());
  EXPECT_EQ(slider->cueGeometry().left, 148.0f);
  release(10, Qt::LeftButton, &cue());
  EXPECT_FALSE(slider->dragging());
  // 50, 77 and 17 pixels on a 148 / 255 scale, then the right end; no surface move events.
  EXPECT_EQ(changes, (std::vector<std::int32_t>{86, 133, 29, 255}));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_STREQ(events[1].event, "MouseUp");
}

TEST_F(PlainCueDrag, ThePointerOnTheCueBoxCountsAsOutside) {
  move(60);
  ASSERT_EQ(slider->cueState(), Over);
  under = &cue();
  tick();
  EXPECT_FALSE(slider->tmrTestState().Enabled());
  EXPECT_EQ(slider->cueState(), Normal);
}

}  // namespace
