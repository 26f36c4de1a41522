#include "Application.h"

#include "Accessibility.h"
#include "MessageHook.h"

namespace host {

namespace {

// The toolkit's accessibility bridge asks the session bus whether a screen reader listens. In a
// session without a bus (a bare X server, a remote login) the D-Bus library would "autolaunch"
// one: start dbus-launch, which runs a bus daemon and writes its address under the home folder.
// A picker starts no programs and writes no files, so there it gets an address that fails at
// once; a desktop's own bus (the variable set) is used as it is. Runs before the toolkit reads
// the environment, hence the argument's detour.
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
int& withDefaultEnvironment(int& argc) {
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
  return argc;
}

}  // namespace

Application::Application(int& argc, char** argv)
    : QApplication(withDefaultEnvironment(argc), argv) {
  accessibility::install();
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
