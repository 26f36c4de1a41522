#include "host/platform/Application.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "host/a11y/Accessibility.h"
#include "host/platform/MessageHook.h"

namespace host {

namespace {

// The user's own session bus where the D-Bus library looks for it when no address is given: a
// socket of this user's at $XDG_RUNTIME_DIR/bus (systemd user sessions keep it there).
bool userBusPresent() {
  const QByteArray dir = qgetenv("XDG_RUNTIME_DIR");
  if (dir.isEmpty()) return false;
  const QByteArray bus = dir + "/bus";
  struct stat st {};
  return ::stat(bus.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

// The toolkit's accessibility bridge asks the session bus whether a screen reader listens. Given
// no address, the D-Bus library finds the user's bus by itself; only where there is none would it
// "autolaunch" one: start dbus-launch, which runs a bus daemon and writes its address under the
// home folder. A picker starts no programs and writes no files, so there (and only there) it gets
// an address that fails at once. Runs before the toolkit reads the environment, hence the
// argument's detour.
//
// On X11 the toolkit's window surface is uploaded through plain image requests rather than shared
// memory: with shared memory, repainting an area whose last upload the display may not have read
// yet waits for a round trip first, through the toolkit's event-reader thread, and the magnifier
// repaints the same 75 x 74 area a hundred times a second. Its plain upload (22 KB) costs the
// program and the display less. A value the user set is kept.
//
// On Wayland the toolkit would load the GPU's client library (EGL, and with it the driver and a
// compiler: 50 MB of resident memory on a software renderer) only to ask whether it may draw
// window decorations. Every window here is frameless, so decorations are switched off and the
// surfaces stay plain shared memory. A value the user set is kept.
//
// The toolkit's own event loop rather than the GLib one it would otherwise run on: nothing here
// needs GLib's sources, and its loop does more work a wake-up and keeps more of the library
// resident (about 0.2 MB). A value the user set is kept.
void setDefaultEnvironment() {
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
    // An empty address is no address: the library would try to connect to it and fail.
    if (userBusPresent()) {
      qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    } else {
      qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
  }
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}

// The platforms the toolkit tries in turn: its -platform argument, else QT_QPA_PLATFORM, else
// Wayland in a Wayland session and then X11. Each without its options ("xcb", not "xcb:x=1").
QList<QByteArray> platformsTried(int argc, char** argv) {
  QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) platforms = argv[i + 1];
  }
  if (platforms.isEmpty()) {
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
      platforms = "wayland;";
    platforms += "xcb";
  }
  QList<QByteArray> out;
  for (const QByteArray& entry : platforms.split(';'))
    out << entry.split(':').first();
  return out;
}

// The display the toolkit tries to open, for the one line said when it cannot: each platform it
// tries, named by its display.
QString displaysTried(int argc, char** argv) {
  QStringList names;
  for (const QByteArray& platform : platformsTried(argc, argv)) {
    if (platform == "xcb") {
      const QByteArray display = x11DisplayName(argc, argv);
      names << (display.isEmpty()
                    ? QStringLiteral("an X display (DISPLAY is not set)")
                    : QStringLiteral("the X display \"%1\"").arg(QString::fromLocal8Bit(display)));
    } else if (platform.startsWith("wayland")) {
      names << QStringLiteral("the Wayland display \"%1\"")
                   .arg(qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0")));
    } else if (!platform.isEmpty()) {
      names
          << QStringLiteral("the display of platform \"%1\"").arg(QString::fromLocal8Bit(platform));
    }
  }
  return names.join(QStringLiteral(" or "));
}

// While the toolkit starts: its messages are held back, and a fatal one (no display could be
// opened) becomes one line and status 1 instead of a page of advice and an abort with a core dump.
// Once it has started, what was held back is said after all.
struct StartupMessage {
  QtMsgType type;
  QByteArray file, function, category;
  int line;
  QString text;
};
// Only while the application object is being made, on the thread that makes it.
std::vector<StartupMessage> g_heldBack;
QString g_displaysTried;
QtMessageHandler g_previousHandler = nullptr;

void holdBack(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "tintwell: cannot open %s\n", qUtf8Printable(g_displaysTried));
    std::fflush(stderr);
    std::_Exit(1);
  }
  g_heldBack.push_back(
      {type, context.file, context.function, context.category, context.line, text});
}

int& startingToolkit(int& argc, char** argv) {
  setDefaultEnvironment();
  g_displaysTried = displaysTried(argc, argv);
  g_previousHandler = qInstallMessageHandler(holdBack);
  return argc;
}

void toolkitStarted() {
  qInstallMessageHandler(g_previousHandler);
  const std::vector<StartupMessage> held = std::exchange(g_heldBack, {});
  g_displaysTried.clear();
  for (const StartupMessage& m : held) {
    const QMessageLogContext context(m.file.isNull() ? nullptr : m.file.constData(), m.line,
                                     m.function.isNull() ? nullptr : m.function.constData(),
                                     m.category.isNull() ? nullptr : m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
}

}  // namespace

QByteArray firstPlatform(int argc, char** argv) {
  return platformsTried(argc, argv).value(0);
}

QByteArray x11DisplayName(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-display") == 0) return argv[i + 1];
  }
  return qgetenv("DISPLAY");
}

Application::Application(int& argc, char** argv) : QApplication(startingToolkit(argc, argv), argv) {
  toolkitStarted();
  accessibility::install();
  setUnhookedDelivery([](QObject* receiver, QEvent* event) {
    return static_cast<Application*>(QCoreApplication::instance())->notifyUnhooked(receiver, event);
  });
}

Application::~Application() {
  setUnhookedDelivery(nullptr);
}

bool Application::notify(QObject* receiver, QEvent* event) {
  // Without hooks (the common case) dispatch costs one test more than the toolkit's own.
  if (!hooksInstalled()) return QApplication::notify(receiver, event);
  return dispatchThroughHooks(receiver, event);
}

bool Application::notifyUnhooked(QObject* receiver, QEvent* event) {
  return QApplication::notify(receiver, event);
}

}  // namespace host
