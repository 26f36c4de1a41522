// The toolkit's own cost for a picker's clock: a QCoreApplication (no widgets, no platform
// plugin) whose one precise 10 ms timer asks the pointer's position over an X connection of
// its own, one round trip a tick, and does nothing else. Built with FLOOR_WIDGETS=1 (as
// floor_qt_widgets) it is a widgets application with one window, a label that shows the
// position ten times a second: the toolkit's floor for a window that repaints, memory included.
// bench/compare measures both beside Tintwell. SIGTERM or SIGINT ends it cleanly, with the tick
// count on stderr; a failed query or a lost connection ends it with a message and status 1.
#include <xcb/xcb.h>

#include <QCoreApplication>
#if FLOOR_WIDGETS
#include <QApplication>
#include <QLabel>
#endif
#include <QTimer>
#include <cstdlib>

#include "floor_qt.h"

namespace {
#if FLOOR_WIDGETS
constexpr const char* kName = "floor_qt_widgets";
#else
constexpr const char* kName = "floor_qt_loop";
#endif
}  // namespace

int main(int argc, char** argv) {
  const int signals = floor_qt::blockStopSignals(kName);
#if FLOOR_WIDGETS
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("X: 0  Y: 0"));
  label.resize(160, 40);
  label.show();
#else
  QCoreApplication app(argc, argv);
#endif
  floor_qt::Display d = floor_qt::connect(kName);
  xcb_connection_t* c = d.c;
  const xcb_window_t root = d.screen->root;

  long ticks = 0;
  QTimer timer;
  floor_qt::setUpClock(timer);
  QObject::connect(&timer, &QTimer::timeout, &app, [&] {
    xcb_generic_error_t* e = nullptr;
    xcb_query_pointer_reply_t* r = xcb_query_pointer_reply(c, xcb_query_pointer(c, root), &e);
    if (r == nullptr) floor_qt::failReply(kName, "querying the pointer", e);
#if FLOOR_WIDGETS
    if (ticks % 10 == 0)
      label.setText(QStringLiteral("X: %1  Y: %2").arg(r->root_x).arg(r->root_y));
#endif
    std::free(r);
    ++ticks;
  });
  timer.start();

  return floor_qt::runUntilStopped(kName, signals, d, ticks);
}
