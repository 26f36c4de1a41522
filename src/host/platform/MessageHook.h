#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class QEvent;
class QObject;
class QWidget;

namespace host {

// Raw window messages as the hook delivers them, translated from the toolkit's events.
inline constexpr std::uint32_t kWmMouseMove = 0x200;   // wParam: kMk* bits; lParam: y << 16 | x
inline constexpr std::uint32_t kWmMouseLeave = 0x2A3;  // one per trackMouseLeave request
// The button and modifier bits of a mouse message's wParam.
inline constexpr std::uint32_t kMkLButton = 0x1;
inline constexpr std::uint32_t kMkRButton = 0x2;
inline constexpr std::uint32_t kMkShift = 0x4;
inline constexpr std::uint32_t kMkControl = 0x8;
inline constexpr std::uint32_t kMkMButton = 0x10;

// Packs control-pixel coordinates as a mouse message carries them: two signed 16-bit halves.
constexpr std::int32_t packPoint(int x, int y) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                   static_cast<std::uint32_t>(x & 0xFFFF));
}
constexpr int pointX(std::int32_t lParam) {
  return static_cast<std::int16_t>(static_cast<std::uint32_t>(lParam) & 0xFFFFu);
}
constexpr int pointY(std::int32_t lParam) {
  return static_cast<std::int16_t>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFFu);
}

// When a registered message reaches the receiver: before the window's own handling, after it,
// or both.
inline constexpr int kMsgBefore = 1;
inline constexpr int kMsgAfter = 2;
inline constexpr int kMsgBoth = 3;
// A table entry that stands for every message.
inline constexpr std::int32_t kAllMessages = -1;
inline constexpr int kMsgEntries = 32;

// What a hook calls for the messages registered with it.
class MessageReceiver {
 public:
  // `before` tells the call before the window's own handling from the one after it. Setting
  // `handled` in the before call skips the window's handling and the after call. `result` is the
  // message's result: 0 before, the window's own afterwards (1 when it took the event, 0 when
  // it ignored it); the receiver may change it. `userValue` is the hook's, by reference.
  virtual void WindowProcReceiver(bool before, bool& handled, std::int32_t& result, QWidget* window,
                                  std::uint32_t message, std::uint32_t wParam, std::int32_t lParam,
                                  std::int32_t& userValue) = 0;

 protected:
  ~MessageReceiver() = default;
};

struct HookRecord;

// One owner's hooks on any number of windows: chosen messages of each hooked window go to a
// receiver before and/or after the window's own handling. A window is found by the key "h" and
// its handle (the widget's address, in decimal). Failures are reported, never raised: one line in
// the system log ("<owner type>.<routine>: <text>") and a warning box ("Error in <owner
// type>.<routine>") through host::reporter(); the operation then returns its failure value.
// Hooks work in a program whose application object is a host::Application.
class MessageHook {
 public:
  MessageHook(std::string ownerTypeName, MessageReceiver& owner);
  ~MessageHook();  // unhooks every window still hooked
  MessageHook(const MessageHook&) = delete;
  MessageHook& operator=(const MessageHook&) = delete;

  // Hooks `window` with `receiver` (the owner when none); the receiver method is found by its
  // ordinal, and a receiver has one: ordinal 1. Both tables start empty.
  bool sc_Subclass(QWidget* window, std::int32_t userValue = 0, int ordinal = 1,
                   MessageReceiver* receiver = nullptr);
  // Stops delivering to the receiver at once; the window's record is released when no call of
  // it is in progress any more, at its next event.
  void sc_UnSubclass(QWidget* window);
  void sc_UnSubclassAll();
  void sc_AddMessage(QWidget* window, std::int32_t message, int when = kMsgAfter);
  void sc_DelMessage(QWidget* window, std::int32_t message, int when = kMsgAfter);
  // Delivers a message to the window's own handling, past every hook; 0 when not hooked.
  std::int32_t sc_CallOriginal(QWidget* window, std::uint32_t message, std::uint32_t wParam,
                               std::int32_t lParam);
  std::int32_t sc_UserValue(QWidget* window);
  void sc_UserValue(QWidget* window, std::int32_t value);

 private:
  HookRecord* zMap_hWnd(QWidget* window);
  void zReport(const char* routine, const QString& text) const;
  static QString keyOf(const QWidget* window);

  std::string m_ownerType;
  MessageReceiver& m_owner;
  // The hooked windows by key, from the first hook to sc_UnSubclassAll; empty: none made yet.
  std::optional<std::map<QString, HookRecord*>> m_windows;
};

// Sends a message to a window through its hooks (a synthesized event: kWmMouseMove moves the
// pointer over it with the given buttons, kWmMouseLeave reports the pointer gone) and returns
// the message's result. Messages the toolkit has no event for return 0.
std::int32_t sendMessage(QWidget* window, std::uint32_t message, std::uint32_t wParam,
                         std::int32_t lParam);

// Asks for one kWmMouseLeave when the pointer next leaves `window` (the platform's
// TrackMouseEvent with TME_LEAVE); the request is used up by that one message.
void trackMouseLeave(QWidget& window);

// Whether the platform offers a function: the two leave-tracking services ("TrackMouseEvent" of
// "User32", "_TrackMouseEvent" of "Comctl32") both exist here, on the toolkit's leave events.
bool IsFunctionExported(std::string_view function, std::string_view module);

// Hook records attached to a window, hooked or shutting down and not yet released (for tests).
int hookRecordCount(const QWidget& window);

// For host::Application: whether any window is hooked, and the dispatch of an event through the
// receiver's hooks around its own handling. The application hands over its own delivery, past
// every hook, while it exists (null: none, and no window can be hooked).
bool hooksInstalled();
bool dispatchThroughHooks(QObject* receiver, QEvent* event);
using UnhookedDelivery = bool (*)(QObject* receiver, QEvent* event);
void setUnhookedDelivery(UnhookedDelivery deliver);

}  // namespace host
