#include "host/platform/MessageHook.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/platform/Reporter.h"

namespace host {

namespace {

// A message table: a count and kMsgEntries message numbers, 0 marking a free entry. A count of
// kAllMessages means every message.
struct MessageTable {
  std::int32_t count = 0;
  std::array<std::int32_t, kMsgEntries> entries{};

  bool matches(std::uint32_t message) const {
    if (count == kAllMessages) return true;
    for (std::int32_t i = 0; i < count; ++i) {
      if (entries[static_cast<std::size_t>(i)] == static_cast<std::int32_t>(message)) return true;
    }
    return false;
  }
};

struct Message {
  std::uint32_t message = 0;
  std::uint32_t wParam = 0;
  std::int32_t lParam = 0;
};

}  // namespace

// One hooked window of one owner. It lives in the window's chain from sc_Subclass until it is
// released: after sc_UnSubclass, once no dispatch of it is in progress.
struct HookRecord {
  int depth = 0;          // dispatches of this record in progress (nested sends included)
  bool shutdown = false;  // sc_UnSubclass has run
  QWidget* window = nullptr;
  MessageReceiver* receiver = nullptr;
  MessageTable before;
  MessageTable after;
  std::int32_t userValue = 0;
};

namespace {

// Every hooked window's records, in hooking order: the last hooked sees an event first, as a
// later subclass wraps an earlier one.
struct Registry {
  std::unordered_map<const QObject*, std::vector<std::unique_ptr<HookRecord>>> chains;
  std::unordered_map<const QObject*, bool> leaveRequested;
  // A message being sent (sendMessage), so its synthesized event carries exactly it.
  const QEvent* sending = nullptr;
  Message sent;
  std::int32_t sentResult = 0;
};

Registry& registry() {
  static Registry r;
  return r;
}

bool alive(const HookRecord* record) {
  if (record == nullptr) return false;
  for (const auto& [window, chain] : registry().chains) {
    for (const auto& r : chain) {
      if (r.get() == record) return true;
    }
  }
  return false;
}

void release(HookRecord* record) {
  const QWidget* window = record->window;  // the record is gone after the erase
  auto& chains = registry().chains;
  const auto it = chains.find(window);
  if (it == chains.end()) return;
  std::erase_if(it->second, [record](const auto& r) { return r.get() == record; });
  if (it->second.empty()) {
    chains.erase(it);
    registry().leaveRequested.erase(window);
  }
}

std::uint32_t mkBits(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return ((buttons & Qt::LeftButton) ? kMkLButton : 0) |
         ((buttons & Qt::RightButton) ? kMkRButton : 0) |
         ((buttons & Qt::MiddleButton) ? kMkMButton : 0) |
         ((modifiers & Qt::ShiftModifier) ? kMkShift : 0) |
         ((modifiers & Qt::ControlModifier) ? kMkControl : 0);
}

// The message an event of a hooked window is, if any.
std::optional<Message> translate(const QObject* window, const QEvent* event) {
  Registry& reg = registry();
  if (event == reg.sending) return reg.sent;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* e = static_cast<const QMouseEvent*>(event);
      // Whole pixels of the control, as the platform counts them.
      const auto x = static_cast<int>(std::floor(e->position().x()));
      const auto y = static_cast<int>(std::floor(e->position().y()));
      return Message{kWmMouseMove, mkBits(e->buttons(), e->modifiers()), packPoint(x, y)};
    }
    case QEvent::Leave: {
      const auto it = reg.leaveRequested.find(window);
      if (it == reg.leaveRequested.end() || !it->second) return std::nullopt;
      it->second = false;  // one notification per request
      return Message{kWmMouseLeave, 0, 0};
    }
    default:
      return std::nullopt;
  }
}

using Base = bool (*)(QObject*, QEvent*);

// The window's own handling of the event, as a message result: 1 when the window took the
// event, 0 when it ignored it.
std::int32_t callBase(QObject* receiver, QEvent* event, Base base) {
  return base(receiver, event) && event->isAccepted() ? 1 : 0;
}

// Runs record `index` of the chain around everything below it (earlier hooks, then the window).
std::int32_t dispatch(const std::vector<HookRecord*>& chain, std::size_t index, QObject* receiver,
                      QEvent* event, const std::optional<Message>& m, Base base) {
  HookRecord* r = chain[index];
  auto below = [&]() -> std::int32_t {
    // An earlier record released meanwhile is skipped.
    for (std::size_t i = index; i-- > 0;) {
      if (alive(chain[i])) return dispatch(chain, i, receiver, event, m, base);
    }
    return callBase(receiver, event, base);
  };
  // Counting the whole dispatch keeps the record alive while its receiver runs, even when the
  // receiver unhooks and sends the window another message.
  ++r->depth;
  std::int32_t result = 0;
  bool handled = false;
  if (m && !r->shutdown && r->before.matches(m->message) && r->receiver != nullptr) {
    r->receiver->WindowProcReceiver(true, handled, result, r->window, m->message, m->wParam,
                                    m->lParam, r->userValue);
  }
  if (!handled) {
    result = below();
    if (m && !r->shutdown && r->after.matches(m->message) && r->receiver != nullptr) {
      bool ignored = false;
      r->receiver->WindowProcReceiver(false, ignored, result, r->window, m->message, m->wParam,
                                      m->lParam, r->userValue);
    }
  }
  --r->depth;
  // Released by its last dispatch; the message keeps the result it had.
  if (r->depth == 0 && r->shutdown) release(r);
  return result;
}

// The application object's own delivery, past every hook; set while a host::Application exists.
UnhookedDelivery g_deliver = nullptr;

bool notifyUnhookedFn(QObject* receiver, QEvent* event) {
  return g_deliver != nullptr ? g_deliver(receiver, event)
                              : QCoreApplication::instance()->notify(receiver, event);
}

}  // namespace

bool dispatchThroughHooks(QObject* receiver, QEvent* event) {
  Registry& reg = registry();
  const auto it = reg.chains.find(receiver);
  if (it == reg.chains.end()) return notifyUnhookedFn(receiver, event);
  std::vector<HookRecord*> chain;
  chain.reserve(it->second.size());
  for (const auto& r : it->second)
    chain.push_back(r.get());
  const std::optional<Message> m = translate(receiver, event);
  const std::int32_t result =
      dispatch(chain, chain.size() - 1, receiver, event, m, notifyUnhookedFn);
  if (event == reg.sending) reg.sentResult = result;
  return result != 0;
}

bool hooksInstalled() {
  return !registry().chains.empty();
}

void setUnhookedDelivery(UnhookedDelivery deliver) {
  g_deliver = deliver;
}

MessageHook::MessageHook(std::string ownerTypeName, MessageReceiver& owner)
    : m_ownerType(std::move(ownerTypeName)), m_owner(owner) {}

MessageHook::~MessageHook() {
  sc_UnSubclassAll();
}

QString MessageHook::keyOf(const QWidget* window) {
  return QStringLiteral("h") + QString::number(reinterpret_cast<quintptr>(window));
}

void MessageHook::zReport(const char* routine, const QString& text) const {
  const QString where =
      QString::fromStdString(m_ownerType) + QLatin1Char('.') + QString::fromLatin1(routine);
  reporter().logError(where + QStringLiteral(": ") + text);
  reporter().messageBox(QStringLiteral("Error in ") + where, text + QLatin1Char('.'));
}

bool MessageHook::sc_Subclass(QWidget* window, std::int32_t userValue, int ordinal,
                              MessageReceiver* receiver) {
  if (window == nullptr) {
    zReport("sc_Subclass", QStringLiteral("Invalid window handle"));
    return false;
  }
  if (receiver == nullptr) receiver = &m_owner;
  if (ordinal != 1) {
    zReport("sc_Subclass", QStringLiteral("Callback method not found"));
    return false;
  }
  if (!m_windows) m_windows.emplace();
  const QString key = keyOf(window);
  if (m_windows->contains(key)) {
    zReport("sc_Subclass", QStringLiteral("Window handle is already subclassed"));
    return false;
  }
  // Only the program's own application object routes events through hooks.
  if (g_deliver == nullptr) {
    zReport("sc_Subclass", QStringLiteral("SetWindowLong failed, error #0"));
    return false;
  }
  auto record = std::make_unique<HookRecord>();
  record->window = window;
  record->receiver = receiver;
  record->userValue = userValue;
  HookRecord* r = record.get();
  auto& chain = registry().chains[window];
  if (chain.empty()) {
    // A destroyed window takes its records (and any leave request) with it.
    QObject::connect(window, &QObject::destroyed, window, [window] {
      registry().chains.erase(window);
      registry().leaveRequested.erase(window);
    });
  }
  chain.push_back(std::move(record));
  (*m_windows)[key] = r;
  return true;
}

HookRecord* MessageHook::zMap_hWnd(QWidget* window) {
  if (!m_windows) {
    zReport("zMap_hWnd", QStringLiteral("Subclassing hasn't been started"));
    return nullptr;
  }
  const auto it = m_windows->find(keyOf(window));
  if (it == m_windows->end()) {
    zReport("zMap_hWnd", QStringLiteral("Window handle isn't subclassed"));
    return nullptr;
  }
  return alive(it->second) ? it->second : nullptr;
}

void MessageHook::sc_UnSubclass(QWidget* window) {
  if (!m_windows) {
    zReport("sc_UnSubclass", QStringLiteral("Window handle isn't subclassed"));
    return;
  }
  if (HookRecord* r = zMap_hWnd(window)) {
    r->shutdown = true;
    r->before = MessageTable{};
    r->after = MessageTable{};
    if (r->depth == 0) release(r);  // nothing of it runs: gone now rather than at the next event
  }
  m_windows->erase(keyOf(window));
}

void MessageHook::sc_UnSubclassAll() {
  if (!m_windows) return;
  // Last hooked first.
  std::vector<std::pair<QString, HookRecord*>> hooked(m_windows->begin(), m_windows->end());
  for (auto it = hooked.rbegin(); it != hooked.rend(); ++it) {
    if (alive(it->second)) sc_UnSubclass(it->second->window);
  }
  m_windows.reset();
}

namespace {

void zAddMsg(std::int32_t message, MessageTable& t,
             const std::function<void(const QString&)>& report) {
  if (message == kAllMessages) {
    t.count = kAllMessages;
    return;
  }
  // The limit is on the count, even when earlier entries were freed.
  if (t.count >= kMsgEntries) {
    report(
        QStringLiteral("Message table overflow. Either increase the value of Const MSG_ENTRIES "
                       "or use ALL_MESSAGES instead of specific message values"));
    return;
  }
  // A table of every message becomes a table of this one.
  if (t.count == kAllMessages) t.count = 0;
  for (std::int32_t i = 0; i < t.count; ++i) {
    std::int32_t& entry = t.entries[static_cast<std::size_t>(i)];
    if (entry == 0) {
      entry = message;
      return;
    }
    if (entry == message) return;
  }
  t.entries[static_cast<std::size_t>(t.count)] = message;
  ++t.count;
}

void zDelMsg(std::int32_t message, MessageTable& t,
             const std::function<void(const QString&)>& report) {
  if (message == kAllMessages) {
    t.count = 0;
    return;
  }
  for (std::int32_t i = 0; i < t.count; ++i) {
    std::int32_t& entry = t.entries[static_cast<std::size_t>(i)];
    if (entry == message) {
      entry = 0;
      return;
    }
  }
  report(QStringLiteral("Message &H") +
         QString::number(static_cast<std::uint32_t>(message), 16).toUpper() +
         QStringLiteral(" not found in table"));
}

}  // namespace

void MessageHook::sc_AddMessage(QWidget* window, std::int32_t message, int when) {
  HookRecord* r = zMap_hWnd(window);
  if (r == nullptr) return;
  const auto report = [this](const QString& text) { zReport("zAddMsg", text); };
  if (when & kMsgBefore) zAddMsg(message, r->before, report);
  if (when & kMsgAfter) zAddMsg(message, r->after, report);
}

void MessageHook::sc_DelMessage(QWidget* window, std::int32_t message, int when) {
  HookRecord* r = zMap_hWnd(window);
  if (r == nullptr) return;
  const auto report = [this](const QString& text) { zReport("zDelMsg", text); };
  if (when & kMsgBefore) zDelMsg(message, r->before, report);
  if (when & kMsgAfter) zDelMsg(message, r->after, report);
}

std::int32_t MessageHook::sc_UserValue(QWidget* window) {
  const HookRecord* r = zMap_hWnd(window);
  return r != nullptr ? r->userValue : 0;
}

void MessageHook::sc_UserValue(QWidget* window, std::int32_t value) {
  if (HookRecord* r = zMap_hWnd(window)) r->userValue = value;
}

namespace {

// Delivers a synthesized event for `message` through `deliver`; the result, or nullopt when the
// toolkit has no event for the message.
template <class Deliver>
std::optional<std::int32_t> deliverMessage(QWidget* window, std::uint32_t message,
                                           std::uint32_t wParam, std::int32_t lParam,
                                           Deliver&& deliver) {
  Registry& reg = registry();
  auto run = [&](QEvent& e) {
    const QEvent* outerSending = reg.sending;
    const Message outerSent = reg.sent;
    reg.sending = &e;
    reg.sent = Message{message, wParam, lParam};
    reg.sentResult = 0;
    const std::int32_t result = deliver(e);
    reg.sending = outerSending;
    reg.sent = outerSent;
    return result;
  };
  if (message == kWmMouseMove) {
    const QPointF local(pointX(lParam), pointY(lParam));
    Qt::MouseButtons buttons;
    if (wParam & kMkLButton) buttons |= Qt::LeftButton;
    if (wParam & kMkRButton) buttons |= Qt::RightButton;
    if (wParam & kMkMButton) buttons |= Qt::MiddleButton;
    Qt::KeyboardModifiers modifiers;
    if (wParam & kMkShift) modifiers |= Qt::ShiftModifier;
    if (wParam & kMkControl) modifiers |= Qt::ControlModifier;
    QMouseEvent e(QEvent::MouseMove, local, window->mapToGlobal(local), Qt::NoButton, buttons,
                  modifiers);
    return run(e);
  }
  if (message == kWmMouseLeave) {
    QEvent e(QEvent::Leave);
    return run(e);
  }
  return std::nullopt;
}

}  // namespace

std::int32_t MessageHook::sc_CallOriginal(QWidget* window, std::uint32_t message,
                                          std::uint32_t wParam, std::int32_t lParam) {
  if (zMap_hWnd(window) == nullptr) return 0;
  return deliverMessage(
             window, message, wParam, lParam,
             [window](QEvent& e) { return notifyUnhookedFn(window, &e) && e.isAccepted() ? 1 : 0; })
      .value_or(0);
}

std::int32_t sendMessage(QWidget* window, std::uint32_t message, std::uint32_t wParam,
                         std::int32_t lParam) {
  if (window == nullptr) return 0;
  return deliverMessage(window, message, wParam, lParam,
                        [window](QEvent& e) {
                          const bool taken = QCoreApplication::sendEvent(window, &e);
                          // Through the hooks the message's own result was recorded; unhooked, the
                          // event's.
                          if (registry().chains.contains(window)) return registry().sentResult;
                          return taken && e.isAccepted() ? 1 : 0;
                        })
      .value_or(0);
}

void trackMouseLeave(QWidget& window) {
  registry().leaveRequested[&window] = true;
}

bool IsFunctionExported(std::string_view function, std::string_view module) {
  auto same = [](std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) ==
             std::tolower(static_cast<unsigned char>(y));
    });
  };
  // Module names match without regard to case, function names exactly.
  return (function == "TrackMouseEvent" && same(module, "User32")) ||
         (function == "_TrackMouseEvent" && same(module, "Comctl32"));
}

int hookRecordCount(const QWidget& window) {
  const auto it = registry().chains.find(&window);
  return it == registry().chains.end() ? 0 : static_cast<int>(it->second.size());
}

}  // namespace host
