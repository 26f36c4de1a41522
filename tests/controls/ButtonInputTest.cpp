// The button's input: the state painted after each mouse, key, focus and hook input, and the
// events it raises.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "controls/button/CandyButton.h"
#include "host/platform/MessageHook.h"

namespace {

using Button = CandyButton;

// The window beneath the button, counting the presses that reach it.
struct Beneath : QWidget {
  int presses = 0;
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

struct Pressable {
  Beneath window;
  CandyButton* b;
  Pressable() {
    window.resize(200, 100);
    b = new CandyButton(&window);
    b->setGeometry(10, 10, 110, 29);
    const host::PropertyBag stored;  // every property at its default; the program is running
    b->load(&stored);
    window.show();
  }
  void hookMove(int x, int y, std::uint32_t buttons = 0) const {
    host::sendMessage(b, host::kWmMouseMove, buttons, host::packPoint(x, y));
  }
  void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) const {
    QMouseEvent e(type, at, b->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(b, &e);
  }
  void focus(QEvent::Type type) const {
    QFocusEvent e(type, Qt::TabFocusReason);
    QApplication::sendEvent(b, &e);
  }
};

using Input = std::function<void(Pressable&)>;
const Input enter = [](Pressable& p) { p.hookMove(10, 10); };
const Input leave = [](Pressable& p) { host::sendMessage(p.b, host::kWmMouseLeave, 0, 0); };
const Input down = [](Pressable& p) {
  p.send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
};
const Input up = [](Pressable& p) {
  p.send(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
};
const Input dragOut = [](Pressable& p) {
  p.send(QEvent::MouseMove, {-5, 10}, Qt::NoButton, Qt::LeftButton);
};
const Input focusIn = [](Pressable& p) { p.focus(QEvent::FocusIn); };
const Input focusOut = [](Pressable& p) { p.focus(QEvent::FocusOut); };
// The second press of a double click and its release.
const Input doubleClick = [](Pressable& p) {
  p.send(QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton, Qt::LeftButton);
  p.send(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
};
const Input enterKeyDown = [](Pressable& p) { QTest::keyPress(p.b, Qt::Key_Return); };
const Input space = [](Pressable& p) { QTest::keyClick(p.b, Qt::Key_Space); };

constexpr int kNoRepaint = -1;

struct StateCase {
  const char* what;
  bool enabled, checked;
  std::vector<Input> before;
  Input input;
  int painted;  // the state painted last, or kNoRepaint
  int repaints = 1;
};

class PaintedState : public ::testing::TestWithParam<StateCase> {};

TEST_P(PaintedState, AfterEachInput) {
  const StateCase& c = GetParam();
  Pressable p;
  ASSERT_TRUE(p.b->tracksLeave());
  p.b->Enabled(c.enabled);
  p.b->Checked(c.checked);
  for (const Input& step : c.before)
    step(p);
  const int before = p.b->redraws();
  c.input(p);
  if (c.painted == kNoRepaint) {
    EXPECT_EQ(p.b->redraws(), before);
  } else {
    EXPECT_EQ(p.b->redraws() - before, c.repaints);
    EXPECT_EQ(p.b->lastState(), c.painted);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, PaintedState,
    ::testing::Values(
        StateCase{"enterPaintsHot", true, false, {}, enter, Button::Hot},
        StateCase{"pressFromHot", true, false, {enter}, down, Button::Pressed},
        StateCase{"enterKeyPresses", true, false, {enter}, enterKeyDown, Button::Pressed},
        StateCase{"releaseInside", true, false, {enter, down}, up, Button::Hot},
        StateCase{"releaseAfterDragOut", true, false, {enter, down, dragOut}, up, Button::Focused},
        StateCase{"dragOut", true, false, {enter, down}, dragOut, Button::Normal},
        StateCase{"leaveFocused", true, false, {focusIn, enter}, leave, Button::Focused},
        StateCase{"leaveUnfocused", true, false, {enter}, leave, Button::Normal},
        StateCase{"focusIn", true, false, {}, focusIn, Button::Focused},
        StateCase{"focusInWhileInside", true, false, {enter}, focusIn, kNoRepaint},
        StateCase{"focusOut", true, false, {enter, focusIn}, focusOut, Button::Normal},
        StateCase{"doubleClickPressesThenReleaseIsHot", true, false, {enter}, doubleClick, Button::Hot, 2},
        StateCase{"spaceDoesNothing", true, false, {enter}, space, kNoRepaint},
        // Entering: the first row and column do not count; any buttons but the left alone do.
        StateCase{"columnZero", true, false, {}, [](Pressable& p) { p.hookMove(0, 10); }, kNoRepaint},
        StateCase{"rowZero", true, false, {}, [](Pressable& p) { p.hookMove(10, 0); }, kNoRepaint},
        StateCase{"firstInsidePixel", true, false, {}, [](Pressable& p) { p.hookMove(1, 1); }, Button::Hot},
        StateCase{"lastPixelIsOutside", true, false, {}, [](Pressable& p) { p.hookMove(110, 5); }, kNoRepaint},
        StateCase{"middleButtonHeld", true, false, {}, [](Pressable& p) { p.hookMove(5, 5, host::kMkMButton); }, Button::Hot},
        StateCase{"rightAndLeftHeld", true, false, {}, [](Pressable& p) { p.hookMove(5, 5, host::kMkLButton | host::kMkRButton); }, Button::Hot},
        StateCase{"backInWithLeftHeld", true, false, {enter, down, dragOut}, [](Pressable& p) { p.hookMove(10, 10, host::kMkLButton); }, kNoRepaint},
        // Disabled: hover is still shown; nothing else repaints.
        StateCase{"disabledEnter", false, false, {}, enter, Button::Hot},
        StateCase{"disabledLeave", false, false, {enter}, leave, Button::Normal},
        StateCase{"disabledPress", false, false, {enter}, down, kNoRepaint},
        StateCase{"disabledEnterKey", false, false, {}, enterKeyDown, kNoRepaint},
        StateCase{"disabledFocusIn", false, false, {}, focusIn, kNoRepaint},
        // Checked: every repaint shows Checked; release, focus and leave do not repaint.
        StateCase{"checkedEnter", true, true, {}, enter, Button::Checked_},
        StateCase{"checkedPress", true, true, {enter}, down, Button::Checked_},
        StateCase{"checkedRelease", true, true, {enter, down}, up, kNoRepaint},
        StateCase{"checkedLeave", true, true, {enter}, leave, kNoRepaint},
        StateCase{"checkedFocusIn", true, true, {}, focusIn, kNoRepaint},
        StateCase{"checkedFocusOut", true, true, {focusIn}, focusOut, kNoRepaint}),
    [](const auto& param_info) { return std::string(param_info.param.what); });
// clang-format on

struct Recorded {
  std::vector<std::string> events;
  explicit Recorded(CandyButton& b) {
    auto mouse = [this](const char* name) {
      return [this, name](std::int16_t button, std::int16_t shift, float x, float y) {
        events.push_back(std::string(name) + " " + std::to_string(button) + "," +
                         std::to_string(shift) + "," + std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
      };
    };
    b.MouseDown.connect(mouse("down"));
    b.MouseUp.connect(mouse("up"));
    b.MouseMove.connect(mouse("move"));
    b.Click.connect([this] { events.push_back("click"); });
    b.DblClick.connect([this] { events.push_back("dblclick"); });
    b.MouseEnter.connect([this] { events.push_back("enter"); });
    b.MouseLeave.connect([this] { events.push_back("leave"); });
  }
};

TEST(ButtonEventsTest, EnterActsAsTheLeftButtonWithoutAClickAndAClickRaisesOneClick) {
  Pressable p;
  Recorded r(*p.b);
  QTest::keyClick(p.b, Qt::Key_Return);
  QTest::keyClick(p.b, Qt::Key_Space);
  EXPECT_EQ(r.events, (std::vector<std::string>{"down 1,0,0,0", "up 1,0,0,0"}));
  r.events.clear();
  QTest::mouseClick(p.b, Qt::LeftButton, {}, QPoint(12, 7));
  EXPECT_EQ(r.events, (std::vector<std::string>{"down 1,0,12,7", "up 1,0,12,7", "click"}));
  EXPECT_TRUE(p.b->hasFocus());
  QTest::mouseClick(p.b, Qt::RightButton, {}, QPoint(12, 7));
  EXPECT_EQ(p.window.presses, 0) << "the button takes its presses";
}

TEST(ButtonEventsTest, ADisabledButtonRaisesOnlyEnterAndLeaveAndStillTracksFocus) {
  Pressable p;
  p.b->Enabled(false);
  Recorded r(*p.b);
  enter(p);
  QTest::mouseClick(p.b, Qt::LeftButton, {}, QPoint(12, 7));
  doubleClick(p);
  p.send(QEvent::MouseMove, {20, 8}, Qt::NoButton, Qt::NoButton);
  leave(p);
  EXPECT_EQ(r.events, (std::vector<std::string>{"enter", "leave"}));
  focusIn(p);
  EXPECT_TRUE(p.b->hasFocus());
  focusOut(p);
  EXPECT_FALSE(p.b->hasFocus());
}

TEST(ButtonEventsTest, TheLeaveRequestIsRenewedAtEachEntry) {
  Pressable p;
  Recorded r(*p.b);
  for (int round = 0; round < 2; ++round) {
    p.hookMove(10, 10);
    QEvent left(QEvent::Leave);  // the pointer leaving, as the toolkit reports it
    QApplication::sendEvent(p.b, &left);
    QApplication::sendEvent(p.b, &left);  // a second report without a new request: nothing
  }
  // The hook's message went through the button's own handling first: its MouseMove.
  EXPECT_EQ(r.events, (std::vector<std::string>{"move 0,0,10,10", "enter", "leave",
                                                "move 0,0,10,10", "enter", "leave"}));
  EXPECT_FALSE(p.b->mouseInside());
}

// A screen reader sees a push button named by its caption, with the states it paints, and its
// press clicks as the left button does; a disabled button's press does nothing.
TEST(ButtonEventsTest, AScreenReaderSeesAPushButtonAndItsPressClicks) {
  Pressable p;
  Recorded r(*p.b);
  p.b->Caption(QStringLiteral("ColorMixer »»»"));
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(p.b);
  EXPECT_EQ(i->role(), QAccessible::PushButton);
  EXPECT_EQ(i->text(QAccessible::Name), QStringLiteral("ColorMixer »»»"));
  const auto states = [i] {
    const QAccessible::State s = i->state();
    return std::array{s.pressed != 0, s.checked != 0, s.disabled != 0};
  };
  EXPECT_EQ(states(), (std::array{false, false, false}));
  down(p);
  EXPECT_EQ(states(), (std::array{true, false, false}));
  up(p);
  p.b->Checked(true);
  EXPECT_EQ(states(), (std::array{false, true, false}));
  p.b->Checked(false);
  p.b->Enabled(false);
  EXPECT_EQ(states(), (std::array{false, false, true}));

  r.events.clear();
  QAccessibleActionInterface* press = i->actionInterface();
  press->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(r.events.empty());
  p.b->Enabled(true);
  press->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(r.events, (std::vector<std::string>{"down 1,0,55,14", "up 1,0,55,14", "click"}));
  EXPECT_TRUE(p.b->hasFocus());
}

}  // namespace
