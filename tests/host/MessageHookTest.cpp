// The per-window message hook: tables, the handled flag, results, nesting and release, reports.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <vector>

#include "RecordingReporter.h"
#include "host/platform/MessageHook.h"

namespace {

using host::kMsgBoth;
using host::kWmMouseLeave;
using host::kWmMouseMove;

// A window that counts the mouse moves reaching its own handling and takes or ignores them.
class Window : public QWidget {
 public:
  Window() {
    resize(50, 30);
    setMouseTracking(true);  // moves without a button held reach it too
  }
  int ownMoves = 0;
  bool takes = true;
  std::function<void()> onOwnMove;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override {
    ++ownMoves;
    e->setAccepted(takes);
    if (onOwnMove) onOwnMove();
  }
};

struct Call {
  bool before;
  std::uint32_t message, wParam;
  std::int32_t lParam, result;
  bool operator==(const Call&) const = default;
};

class Receiver final : public host::MessageReceiver {
 public:
  void WindowProcReceiver(bool before, bool& handled, std::int32_t& result, QWidget*,
                          std::uint32_t message, std::uint32_t wParam, std::int32_t lParam,
                          std::int32_t& userValue) override {
    calls.push_back({before, message, wParam, lParam, result});
    ++userValue;
    if (react) react(before, handled, result);
  }
  std::vector<Call> calls;
  std::function<void(bool, bool&, std::int32_t&)> react;
};

class HookTest : public ::testing::Test {
 protected:
  std::int32_t move(int x, int y, std::uint32_t buttons = 0) {
    return host::sendMessage(&window, kWmMouseMove, buttons, host::packPoint(x, y));
  }
  RecordingReporter reports;
  Window window;
  Receiver receiver;
  host::MessageHook hook{"Owner", receiver};
};

TEST_F(HookTest, RegisteredMessagesReachTheReceiverBeforeAndAfterTheWindowUnlessHandled) {
  ASSERT_TRUE(hook.sc_Subclass(&window, 41));
  hook.sc_AddMessage(&window, kWmMouseMove, kMsgBoth);
  window.takes = false;
  EXPECT_EQ(move(-3, 7, host::kMkRButton), 0);  // the window ignored it: result 0
  EXPECT_EQ(receiver.calls,
            (std::vector<Call>{{true, kWmMouseMove, 2, host::packPoint(-3, 7), 0},
                               {false, kWmMouseMove, 2, host::packPoint(-3, 7), 0}}));
  EXPECT_EQ(host::pointX(receiver.calls[0].lParam), -3);
  EXPECT_EQ(hook.sc_UserValue(&window), 43);  // the user value, by reference, once per call
  EXPECT_EQ(window.ownMoves, 1);
  // Messages not registered pass untouched.
  receiver.calls.clear();
  host::sendMessage(&window, kWmMouseLeave, 0, 0);
  EXPECT_TRUE(receiver.calls.empty());
  // Handled in the before call, with a result of its own: neither the window nor the after call
  // sees it.
  receiver.react = [](bool before, bool& handled, std::int32_t& result) {
    handled = before;
    result = 5;
  };
  EXPECT_EQ(move(2, 2), 5);
  EXPECT_EQ(window.ownMoves, 1);
  EXPECT_EQ(receiver.calls.size(), 1u);
}

TEST_F(HookTest, FailuresAreReportedAndTheFirstHookKeepsWorking) {
  hook.sc_AddMessage(&window, kWmMouseMove);
  hook.sc_UnSubclass(&window);
  ASSERT_EQ(reports.log.size(), 2u);
  EXPECT_EQ(reports.log[0], QStringLiteral("Owner.zMap_hWnd: Subclassing hasn't been started"));
  EXPECT_EQ(reports.log[1], QStringLiteral("Owner.sc_UnSubclass: Window handle isn't subclassed"));
  EXPECT_FALSE(hook.sc_Subclass(nullptr));
  EXPECT_EQ(reports.log.back(), QStringLiteral("Owner.sc_Subclass: Invalid window handle"));
  EXPECT_FALSE(hook.sc_Subclass(&window, 0, 2));
  EXPECT_EQ(reports.log.back(), QStringLiteral("Owner.sc_Subclass: Callback method not found"));

  ASSERT_TRUE(hook.sc_Subclass(&window));
  hook.sc_AddMessage(&window, kWmMouseMove);
  hook.sc_AddMessage(&window, kWmMouseMove);  // already there: no entry of its own
  EXPECT_FALSE(hook.sc_Subclass(&window));
  EXPECT_EQ(reports.log.back(),
            QStringLiteral("Owner.sc_Subclass: Window handle is already subclassed"));
  EXPECT_EQ(reports.boxes.back().title, QStringLiteral("Error in Owner.sc_Subclass"));
  move(3, 3);
  EXPECT_EQ(receiver.calls.size(), 1u);
  // A table holds 32 messages. (The program registers two per window, once: deleting and
  // reusing entries is not checked.)
  for (int m = 1; m <= 31; ++m)
    hook.sc_AddMessage(&window, m);
  EXPECT_EQ(reports.log.size(), 5u);
  hook.sc_AddMessage(&window, 200);
  EXPECT_TRUE(
      reports.log.back().startsWith(QStringLiteral("Owner.zAddMsg: Message table overflow.")));
  hook.sc_DelMessage(&window, 300);
  EXPECT_EQ(reports.boxes.back().title, QStringLiteral("Error in Owner.zDelMsg"));
  EXPECT_EQ(reports.boxes.back().prompt, QStringLiteral("Message &H12C not found in table."));
  Window other;
  EXPECT_EQ(hook.sc_UserValue(&other), 0);
  EXPECT_EQ(reports.log.back(), QStringLiteral("Owner.zMap_hWnd: Window handle isn't subclassed"));
}

// Unhooked from inside its own window's handling, with a message sent to the window from there:
// the record stays until the outermost call returns, and that call keeps the window's result.
TEST_F(HookTest, ARecordUnhookedWhileInUseGoesWhenTheOutermostCallReturns) {
  ASSERT_TRUE(hook.sc_Subclass(&window));
  hook.sc_AddMessage(&window, kWmMouseMove, kMsgBoth);
  std::vector<int> recordsSeen;
  window.onOwnMove = [&] {
    if (window.ownMoves != 1) return;
    hook.sc_UnSubclass(&window);
    move(5, 5);  // nested: depth 2
    recordsSeen.push_back(host::hookRecordCount(window));
  };
  EXPECT_EQ(move(4, 4), 1);  // the window's own result, not the release's
  EXPECT_EQ(recordsSeen, std::vector<int>{1});
  EXPECT_EQ(host::hookRecordCount(window), 0);
  EXPECT_EQ(window.ownMoves, 2);
  ASSERT_EQ(receiver.calls.size(), 1u);  // only the outer before call ran
  move(6, 6);
  EXPECT_EQ(receiver.calls.size(), 1u);
}

// (Leaves through the hook are checked on a real display by the mixer button's hover.)
TEST_F(HookTest, AnOwnerUnhooksItsWindowsAtItsEnd) {
  {
    host::MessageHook scoped("Scoped", receiver);
    ASSERT_TRUE(scoped.sc_Subclass(&window));
    EXPECT_EQ(host::hookRecordCount(window), 1);
  }
  EXPECT_EQ(host::hookRecordCount(window), 0);
}

}  // namespace
