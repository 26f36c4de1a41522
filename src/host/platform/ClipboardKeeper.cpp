#include "host/platform/ClipboardKeeper.h"

#include <QtGui/qguiapplication_platform.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <QClipboard>
#include <QGuiApplication>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

// Last: its macros (None, Bool ...) would rewrite names in the toolkit's headers.
#include <X11/Xlib.h>

namespace host {

namespace {

// What the keeper is told: the kind of display ('x' X11, 'w' Wayland), the X display's name, a
// zero byte, then the text.
constexpr std::size_t kMostText = 4096;
constexpr std::size_t kMostMessage = 1 + 1024 + 1 + kMostText;

std::string readMessage(int from) {
  std::string message;
  std::array<char, 512> chunk{};
  while (message.size() <= kMostMessage) {
    const ssize_t n = ::read(from, chunk.data(), chunk.size());
    if (n == 0) return message;
    if (n < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    message.append(chunk.data(), static_cast<std::size_t>(n));
  }
  return {};  // more than any caller sends
}

void acknowledge(int to) {
  const char held = 1;
  (void)::send(to, &held, 1, MSG_NOSIGNAL);
  ::close(to);
}

// The atoms a selection owner answers with; interned in one round trip.
enum Atom { Clipboard, Targets, Utf8, Text, PlainUtf8, Plain, Timestamp, kAtoms };

// Owns CLIPBOARD on the X display until another client takes it or the display goes away. Text
// is the only content: its UTF-8 bytes for UTF8_STRING, and for STRING too while they are ASCII
// (the Latin-1 of STRING agrees with UTF-8 only there).
void keepOnX11(const std::string& display, std::string_view text, int ack) {
  xcb_connection_t* c = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
  if (xcb_connection_has_error(c) != 0) {
    xcb_disconnect(c);
    return;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const char* names[kAtoms] = {
      "CLIPBOARD",  "TARGETS",  "UTF8_STRING", "TEXT", "text/plain;charset=utf-8",
      "text/plain", "TIMESTAMP"};
  xcb_intern_atom_cookie_t cookies[kAtoms];
  for (int i = 0; i < kAtoms; ++i) {
    cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
  }
  xcb_atom_t atoms[kAtoms] = {};
  for (int i = 0; i < kAtoms; ++i) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookies[i], nullptr);
    atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
  }
  bool ascii = true;
  for (const char ch : text)
    ascii = ascii && static_cast<unsigned char>(ch) < 0x80;

  // An input-only window, never mapped, to own the selection and hear of property changes.
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, 0, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  // The server's time for the ownership (a selection owned from "now" cannot be ordered against
  // other owners): an empty append to a property of ours comes back with it.
  xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                      nullptr);
  xcb_flush(c);
  xcb_timestamp_t owned = XCB_CURRENT_TIME;
  while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
    const bool property = (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY;
    if (property) owned = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
    std::free(event);
    if (property) break;
  }
  xcb_set_selection_owner(c, window, atoms[Clipboard], owned);
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atoms[Clipboard]), nullptr);
  const bool holding = owner != nullptr && owner->owner == window;
  std::free(owner);
  if (!holding) {
    xcb_disconnect(c);
    return;
  }
  acknowledge(ack);

  const xcb_atom_t targets[] = {atoms[Targets],  atoms[Timestamp], atoms[Utf8], atoms[PlainUtf8],
                                XCB_ATOM_STRING, atoms[Text],      atoms[Plain]};
  while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
    const std::uint8_t type = event->response_type & 0x7F;
    if (type == XCB_SELECTION_CLEAR) {
      std::free(event);
      break;  // another program holds the clipboard now
    }
    if (type != XCB_SELECTION_REQUEST) {
      std::free(event);  // property changes of ours, errors of a requestor that went away
      continue;
    }
    const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
    const xcb_atom_t target = request->target;
    // An old requestor names no property: the target's name is the property.
    xcb_atom_t answer = request->property != XCB_ATOM_NONE ? request->property : target;
    const auto put = [&](xcb_atom_t kind, std::uint8_t format, std::size_t count,
                         const void* data) {
      xcb_change_property(c, XCB_PROP_MODE_REPLACE, request->requestor, answer, kind, format,
                          static_cast<std::uint32_t>(count), data);
    };
    // Ours to answer: the clipboard, asked of this owner (not of one before it).
    const bool ours = request->selection == atoms[Clipboard] &&
                      (request->time == XCB_CURRENT_TIME || request->time >= owned);
    if (ours && target == atoms[Targets]) {
      put(XCB_ATOM_ATOM, 32, std::size(targets), targets);
    } else if (ours && target == atoms[Timestamp]) {
      put(XCB_ATOM_INTEGER, 32, 1, &owned);
    } else if (ours && (target == atoms[Utf8] || target == atoms[PlainUtf8])) {
      put(target, 8, text.size(), text.data());
    } else if (ours && ascii &&
               (target == XCB_ATOM_STRING || target == atoms[Text] || target == atoms[Plain])) {
      put(target == atoms[Plain] ? target : xcb_atom_t{XCB_ATOM_STRING}, 8, text.size(),
          text.data());
    } else {
      answer = XCB_ATOM_NONE;  // refused, as is any target of no text (MULTIPLE included)
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request->time;
    notify.requestor = request->requestor;
    notify.selection = request->selection;
    notify.target = target;
    notify.property = answer;
    xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(c);
    std::free(event);
  }
  xcb_disconnect(c);
}

// Holds the toolkit's clipboard on the Wayland display until another program takes it.
void keepOnWayland(std::string_view text, int ack) {
  qputenv("QT_QPA_PLATFORM", "wayland");
  int argc = 1;
  char name[] = "tintwell";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  QCoreApplication::processEvents();
  QObject::connect(clipboard, &QClipboard::changed, &app, [clipboard](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard()) QCoreApplication::quit();
  });
  if (!clipboard->ownsClipboard()) return;
  acknowledge(ack);
  QGuiApplication::exec();
}

[[noreturn]] void runKeeper(int channel) {
  // Detached: no terminal that could hang it up, and none of the caller's streams held open.
  (void)::setsid();
  const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null >= 0) {
    for (int fd = 0; fd <= 2; ++fd)
      (void)::dup2(null, fd);
    ::close(null);
  }
  const std::string message = readMessage(channel);
  const std::size_t end = message.find('\0');
  if (message.size() >= 2 && end != std::string::npos && end <= 1025) {
    const std::string display = message.substr(1, end - 1);
    const std::string_view text = std::string_view(message).substr(end + 1);
    if (!text.empty() && text.size() <= kMostText) {
      if (message[0] == 'x') keepOnX11(display, text, channel);
      if (message[0] == 'w') keepOnWayland(text, channel);
    }
  }
  std::_Exit(0);
}

}  // namespace

std::unique_ptr<ClipboardKeeper> ClipboardKeeper::start() {
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return nullptr;
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(pair[0]);
    ::close(pair[1]);
    return nullptr;
  }
  if (pid == 0) {
    ::close(pair[0]);
    runKeeper(pair[1]);
  }
  ::close(pair[1]);
  // Both ways over one socket: the text down, then the one byte back.
  return std::unique_ptr<ClipboardKeeper>(new ClipboardKeeper(pair[0], pair[0]));
}

ClipboardKeeper::~ClipboardKeeper() {
  if (m_to >= 0) ::close(m_to);
}

bool ClipboardKeeper::keep(const QString& text) {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb")) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    // The display the toolkit opened, by the name it opened it with (-display or $DISPLAY).
    return keepOnX11(display != nullptr ? QByteArray(XDisplayString(display)) : QByteArray(), text);
  }
  return hand(platform.startsWith(QLatin1String("wayland")) ? QByteArrayLiteral("w") : QByteArray(),
              text);
}

bool ClipboardKeeper::keepOnX11(const QByteArray& display, const QString& text) {
  return hand(QByteArrayLiteral("x") + display, text);
}

bool ClipboardKeeper::hand(QByteArray message, const QString& text) {
  if (m_to < 0) return false;
  const QByteArray utf8 = text.toUtf8();
  bool held = false;
  if (!message.isEmpty() && !message.contains('\0') && !utf8.isEmpty() &&
      std::size_t(utf8.size()) <= kMostText) {
    message += '\0';
    message += utf8;
    qsizetype sent = 0;
    while (sent < message.size()) {
      const ssize_t n = ::send(m_to, message.constData() + sent,
                               static_cast<std::size_t>(message.size() - sent), MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      sent += n;
    }
    if (sent == message.size() && ::shutdown(m_to, SHUT_WR) == 0) {
      pollfd answer{m_from, POLLIN, 0};
      char byte = 0;
      held = ::poll(&answer, 1, 2000) == 1 && ::read(m_from, &byte, 1) == 1;
    }
  }
  ::close(m_to);
  m_to = m_from = -1;
  return held;
}

}  // namespace host
