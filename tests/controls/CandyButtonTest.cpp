// The owner-drawn button: its painters pixel by pixel on its offscreen surface, the state painted
// after each mouse, key, focus and hook input, the events it raises, and its persistence.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/button/CandyButton.h"
#include "host/draw/Canvas.h"
#include "host/draw/Fonts.h"
#include "host/forms/Form.h"
#include "host/forms/PropertyBag.h"
#include "host/platform/MessageHook.h"

namespace {

using B = CandyButton;
using Events = std::vector<std::string>;

// The window beneath the button: a known color, counting the presses that reach it.
struct Beneath : host::Form {
  int presses = 0;
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// A button of a running program, loaded from its stored properties (the Style and border
// brightness taken as stored, everything else at its default), then given scheme 7 (face
// 0x000080, bright 0x0253E8) and a white caption; the input it is given and the events it raised.
struct Button {
  Beneath window;
  CandyButton* b = new CandyButton(&window);
  Events events;
  explicit Button(std::int32_t style = 0, int w = 110, int h = 29, std::int32_t brightness = 0) {
    window.BackColor(0x123456);
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Style"), style);
    bag.WriteProperty(QStringLiteral("BorderBrightness"), brightness);
    b->resize(w, h);
    b->load(&bag);
    b->ColorScheme(7);
    b->ForeColor(0xFFFFFF);
    window.show();
    const auto mouse = [this](const char* name) {
      return [this, name](std::int16_t button, std::int16_t shift, float x, float y) {
        events.push_back(QString::asprintf("%s %d,%d,%g,%g", name, button, shift,
                                           static_cast<double>(x), static_cast<double>(y))
                             .toStdString());
      };
    };
    b->MouseDown.connect(mouse("down"));
    b->MouseUp.connect(mouse("up"));
    b->MouseMove.connect(mouse("move"));
    b->Click.connect([this] { events.push_back("click"); });
    b->DblClick.connect([this] { events.push_back("dblclick"); });
    b->MouseEnter.connect([this] { events.push_back("enter"); });
    b->MouseLeave.connect([this] { events.push_back("leave"); });
  }
  host::ColorRef at(int x, int y) const {
    return host::fromRgb24(b->buffer().pixel(x, y) & 0xFFFFFFu);
  }
  void hookMove(int x, int y, std::uint32_t buttons = 0) const {
    host::sendMessage(b, host::kWmMouseMove, buttons, host::packPoint(x, y));
  }
  void deliver(QEvent&& e) const { QApplication::sendEvent(b, &e); }
  void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) const {
    deliver(QMouseEvent(type, at, b->mapToGlobal(at), button, held, Qt::NoModifier));
  }
  void toolkitLeave() const { deliver(QEvent(QEvent::Leave)); }  // as the toolkit reports it
  void enter() const { hookMove(10, 10); }
  void leave() const { host::sendMessage(b, host::kWmMouseLeave, 0, 0); }
  void down() const { send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton); }
  void up() const { send(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton); }
  void dragOut() const { send(QEvent::MouseMove, {-5, 10}, Qt::NoButton, Qt::LeftButton); }
  void focusIn() const { deliver(QFocusEvent(QEvent::FocusIn, Qt::TabFocusReason)); }
  void focusOut() const { deliver(QFocusEvent(QEvent::FocusOut, Qt::TabFocusReason)); }
  // The second press of a double click and its release.
  void doubleClick() const {
    send(QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    up();
  }
  void click() const { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(12, 7)); }
  void rightClick() const { QTest::mouseClick(b, Qt::RightButton, {}, QPoint(12, 7)); }
  void enterKey() const { QTest::keyPress(b, Qt::Key_Return); }
  void returnKey() const { QTest::keyClick(b, Qt::Key_Return); }
  void space() const { QTest::keyClick(b, Qt::Key_Space); }
  void disable() const { b->Enabled(false); }
};

// Pixels of each Style's painter on the 0x123456 window.
TEST(CandyButtonTest, EachStylePaintsItsPixels) {
  const struct {
    std::int32_t style;
    int w, h, state, x, y;
    host::ColorRef want;
    bool enabled = true;
    std::int32_t brightness = 0;
  } cases[] = {
      // Style 0: white into a warm grey with cut corners; pressed runs past its end color.
      {0, 75, 23, B::Normal, 10, 1, host::RGB(254, 254, 254)},
      {0, 75, 23, B::Normal, 10, 18, host::RGB(236, 235, 230)},    // both gradients; the later wins
      {0, 75, 23, B::Normal, 10, 0, host::RGB(0, 60, 116)},        // the frame's top edge
      {0, 75, 23, B::Normal, 0, 1, host::RGB(122, 149, 168)},      // a corner point
      {0, 75, 23, B::Normal, 74, 22, 0x123456},                    // the window shows through
      {0, 75, 23, B::Checked_, 10, 18, host::RGB(236, 235, 230)},  // as at rest
      {0, 75, 23, B::Pressed, 10, 4, host::RGB(228, 228, 220)},    // the middle gradient's row 4
      {0, 75, 23, B::Hot, 10, 21, host::RGB(229, 151, 0)},
      {0, 75, 23, B::Hot, 1, 10, host::RGB(251, 199, 97)},  // the side strips, mirrored
      {0, 75, 23, B::Hot, 73, 10, host::RGB(251, 199, 97)},
      // Style 1: only the window at rest, glass under the pointer, white when checked.
      {1, 75, 23, B::Focused, 30, 10, 0x123456},
      {1, 75, 23, B::Hot, 30, 17, host::RGB(237, 236, 228)},  // t = 17 / 16, past the end color
      {1, 75, 23, B::Hot, 30, 18, host::RGB(238, 237, 229)},  // the later gradient wins
      {1, 75, 23, B::Checked_, 30, 10, 0xFFFFFF},
      {1, 75, 23, B::Checked_, 30, 0, host::RGB(122, 152, 175)},
      // Style 6: the middle row (2y = H) is the face itself, the ring half way from black,
      // mirrored about W / 2.
      {6, 75, 24, B::Normal, 37, 12, 0x000080},
      {6, 75, 24, B::Normal, 1, 12, host::RGB(64, 0, 0)},
      {6, 75, 24, B::Normal, 74, 12, host::RGB(64, 0, 0)},
      // Style 3: the inner shape starts at row 2, its gloss line 70 * 2 / 12 = 11 % of the way
      // from white to the face, row 10 58 %. Rows 0 and 1 are border: the face itself at
      // brightness 0, grey while disabled, blended toward black or white by the brightness. A
      // stored brightness of any 32-bit value (found by fuzzing: the most negative one could not
      // be negated) paints as its end of -100..100 does.
      {3, 110, 29, B::Normal, 55, 2, host::RGB(242, 227, 227)},
      {3, 110, 29, B::Normal, 55, 10, host::RGB(182, 108, 108)},
      {3, 110, 29, B::Normal, 55, 1, 0x000080},
      {3, 110, 29, B::Normal, 55, 0, 0xB0C0C0, false},
      {3, 110, 29, B::Normal, 55, 0, 0xFFFFFF, false, INT_MAX},
      {3, 110, 29, B::Normal, 55, 0, 0x000000, false, INT_MIN},
      {3, 110, 29, B::Normal, 55, 0, host::RGB(64, 0, 0), true, -50},
      // Under the pointer the glow rises from the middle of the bottom edge into the bright
      // color, which it reaches where its fade runs past 100 %.
      {3, 110, 29, B::Hot, 55, 26, 0x0253E8},
      {3, 110, 29, B::Hot, 55, 20, host::RGB(219, 68, 1)},
      {2, 110, 29, B::Hot, 55, 24, host::RGB(226, 76, 1)},
      {4, 110, 29, B::Hot, 30, 20, host::RGB(216, 64, 1)},
      {5, 110, 29, B::Hot, 55, 24, host::RGB(231, 82, 1)},
      {7, 110, 29, B::Hot, 30, 10, host::RGB(202, 48, 1)},  // Style 7's from the middle row
      // The other rounded Styles' gloss on row 5: slope * 5 / radius % from white to the face.
      {2, 110, 29, B::Normal, 8, 5, host::RGB(235, 215, 215)},  // 50 * 5 / 15
      {2, 110, 29, B::Normal, 7, 5, 0x000080},  // left of the gloss's rounded corner: the face
      {4, 110, 29, B::Normal, 55, 5, host::RGB(226, 197, 197)},  // 70 * 5 / 15
      {5, 110, 29, B::Normal, 55, 5, host::RGB(239, 222, 222)},  // 40 * 5 / 15
      {7, 110, 29, B::Normal, 55, 5, host::RGB(216, 176, 176)},  // 50 * 5 / 8
  };
  for (const auto& c : cases) {
    Button p(c.style, c.w, c.h, c.brightness);
    p.b->Enabled(c.enabled);
    p.b->Redraw(c.state);
    EXPECT_EQ(p.at(c.x, c.y), c.want)
        << "Style " << c.style << " state " << c.state << " at " << c.x << "," << c.y;
  }
}

TEST(CandyButtonTest, AHotCaptionTakesItsHighlightAndTheDrawingColorIsRestored) {
  Button p(99, 110, 29);  // no face: only the caption is drawn
  p.b->Caption(QStringLiteral("MMMM"));
  p.b->CaptionHighLite(true);
  p.b->CaptionHighLiteColor(0x00FF00);
  p.b->Redraw(CandyButton::Hot);
  bool green = false;
  for (int y = 0; y < 29; ++y)
    for (int x = 0; x < 110; ++x)
      green = green || p.at(x, y) == 0x00FF00u;
  EXPECT_TRUE(green);
  EXPECT_EQ(p.b->drawColor(), 0xFFFFFFu);
  // The caption is centred by its measure, which leaves out the mnemonic marks.
  const QFont f = host::designFont(QStringLiteral("Tahoma"), 8.25, true);
  EXPECT_EQ(host::Canvas::measurePrefixText(QStringLiteral("&Mix"), f).width(),
            host::Canvas::measurePrefixText(QStringLiteral("Mix"), f).width());
  EXPECT_EQ(host::Canvas::measurePrefixText(QStringLiteral("A&&B"), f).width(),
            QFontMetrics(f).horizontalAdvance(QStringLiteral("A&B")));
}

// The painters divide by the height in places; a division by zero would end this program with a
// signal. The inner region of the rounded Styles stays inside even the tiniest button.
TEST(CandyButtonTest, TinyButtonsOfEveryStyleAndStatePaintWithoutFailing) {
  for (std::int32_t style = 0; style <= 8; ++style) {
    for (int h = 0; h <= 6; ++h) {
      Button p(style, h == 0 ? 0 : 12, h);
      p.b->Caption(QStringLiteral("x"));
      for (int state = 0; state <= 5; ++state)
        p.b->Redraw(state);
      if (const auto& inner = p.b->innerRegion()) {
        const host::Rect box = inner->box();
        EXPECT_TRUE(box.isEmpty() || (box.right <= 12 && box.bottom <= h))
            << "Style " << style << " height " << h;
      }
    }
  }
}

using P = Button;
using Input = std::function<void(const Button&)>;

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
  Button p;
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
        StateCase{"pressFromHot", true, false, {&P::enter}, &P::down, B::Pressed},
        StateCase{"enterKeyPresses", true, false, {&P::enter}, &P::enterKey, B::Pressed},
        StateCase{"releaseInside", true, false, {&P::enter, &P::down}, &P::up, B::Hot},
        StateCase{"releaseAfterDragOut", true, false, {&P::enter, &P::down, &P::dragOut}, &P::up, B::Focused},
        StateCase{"dragOut", true, false, {&P::enter, &P::down}, &P::dragOut, B::Normal},
        StateCase{"leaveFocused", true, false, {&P::focusIn, &P::enter}, &P::leave, B::Focused},
        StateCase{"leaveUnfocused", true, false, {&P::enter}, &P::leave, B::Normal},
        StateCase{"focusIn", true, false, {}, &P::focusIn, B::Focused},
        StateCase{"focusInWhileInside", true, false, {&P::enter}, &P::focusIn, kNoRepaint},
        StateCase{"focusOut", true, false, {&P::enter, &P::focusIn}, &P::focusOut, B::Normal},
        StateCase{"doubleClickPressesThenReleaseIsHot", true, false, {&P::enter}, &P::doubleClick, B::Hot, 2},
        StateCase{"spaceDoesNothing", true, false, {&P::enter}, &P::space, kNoRepaint},
        // Entering: the first row and column do not count; any buttons but the left alone do.
        StateCase{"columnZero", true, false, {}, [](const P& p) { p.hookMove(0, 10); }, kNoRepaint},
        StateCase{"rowZero", true, false, {}, [](const P& p) { p.hookMove(10, 0); }, kNoRepaint},
        StateCase{"firstInsidePixel", true, false, {}, [](const P& p) { p.hookMove(1, 1); }, B::Hot},
        StateCase{"lastPixelIsOutside", true, false, {}, [](const P& p) { p.hookMove(110, 5); }, kNoRepaint},
        StateCase{"rightAndLeftHeld", true, false, {}, [](const P& p) { p.hookMove(5, 5, host::kMkLButton | host::kMkRButton); }, B::Hot},
        StateCase{"backInWithLeftHeld", true, false, {&P::enter, &P::down, &P::dragOut}, [](const P& p) { p.hookMove(10, 10, host::kMkLButton); }, kNoRepaint},
        // Disabled: hover is still shown; nothing else repaints.
        StateCase{"disabledEnter", false, false, {}, &P::enter, B::Hot},
        StateCase{"disabledPress", false, false, {&P::enter}, &P::down, kNoRepaint},
        StateCase{"disabledEnterKey", false, false, {}, &P::enterKey, kNoRepaint},
        StateCase{"disabledFocusIn", false, false, {}, &P::focusIn, kNoRepaint},
        // Checked: every repaint shows Checked; release, focus and leave do not repaint.
        StateCase{"checkedEnter", true, true, {}, &P::enter, B::Checked_},
        StateCase{"checkedPress", true, true, {&P::enter}, &P::down, B::Checked_},
        StateCase{"checkedRelease", true, true, {&P::enter, &P::down}, &P::up, kNoRepaint},
        StateCase{"checkedLeave", true, true, {&P::enter}, &P::leave, kNoRepaint},
        StateCase{"checkedFocusIn", true, true, {}, &P::focusIn, kNoRepaint},
        StateCase{"checkedFocusOut", true, true, {&P::focusIn}, &P::focusOut, kNoRepaint}),
    [](const auto& param_info) { return std::string(param_info.param.what); });
// clang-format on

// One walk over a button: the events each input raises. The hook's move goes through the
// button's own handling first, its MouseMove; each entry renews the request for the toolkit's
// leave report. A disabled button raises only MouseEnter and MouseLeave.
TEST(CandyButtonTest, EachInputRaisesItsEvents) {
  Button p;
  const struct {
    const char* what;
    Input input;
    Events raised;
  } steps[] = {
      {"Enter: as the left button, no Click", &P::returnKey, {"down 1,0,0,0", "up 1,0,0,0"}},
      {"a click", &P::click, {"down 1,0,12,7", "up 1,0,12,7", "click"}},
      {"the pointer in", &P::enter, {"move 0,0,10,10", "enter"}},
      {"out", &P::toolkitLeave, {"leave"}},
      {"a second report without a new request", &P::toolkitLeave, {}},
      {"in again", &P::enter, {"move 0,0,10,10", "enter"}},
      {"out again", &P::toolkitLeave, {"leave"}},
      {"disabled", &P::disable, {}},
      {"a click while disabled", &P::click, {}},
      {"a double click while disabled", &P::doubleClick, {}},
      {"in while disabled", &P::enter, {"enter"}},
      {"out while disabled", &P::leave, {"leave"}},
  };
  for (const auto& s : steps) {
    p.events.clear();
    s.input(p);
    EXPECT_EQ(p.events, s.raised) << s.what;
  }
  EXPECT_TRUE(p.b->hasFocus());  // from the click
  p.rightClick();
  EXPECT_EQ(p.window.presses, 0) << "the button takes every press";
}

// A screen reader sees a push button named by its caption, pressed while held down, and its
// press clicks as the left button does, in the middle; a disabled button's press does nothing.
TEST(CandyButtonTest, AScreenReaderSeesItPressedAndItsPressClicks) {
  Button p;
  p.b->Caption(QStringLiteral("ColorMixer »»»"));
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(p.b);
  EXPECT_EQ(i->role(), QAccessible::PushButton);
  EXPECT_EQ(i->text(QAccessible::Name), QStringLiteral("ColorMixer »»»"));
  p.down();
  EXPECT_TRUE(i->state().pressed);
  p.up();
  EXPECT_FALSE(i->state().pressed);
  p.b->Enabled(false);
  p.events.clear();
  i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(p.events.empty());
  p.b->Enabled(true);
  i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(p.events, (Events{"down 1,0,55,14.5", "up 1,0,55,14.5", "click"}));
}

}  // namespace
