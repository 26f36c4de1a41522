// The toolkit's own cost for a picker's clock: a QCoreApplication (no widgets, no platform
// plugin) whose one precise 10 ms timer asks the pointer's position over an X connection of
// its own, one round trip a tick, and does nothing else. Built with FLOOR_WIDGETS=1 (as
// floor_qt_widgets) it is a widgets application with one window, a label that shows the
// position ten times a second: the toolkit's floor for a window that repaints, memory included.
// bench/compare measures both beside Tintwell. SIGTERM or SIGINT ends it cleanly, with the tick
// count on stderr; a failed query or a lost connection ends it with a message and status 1.
#include <sys/signalfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#if FLOOR_WIDGETS
#include <QApplication>
#include <QLabel>
#endif
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  // Blocked before the toolkit starts a thread, so that every thread inherits the mask and the
  // signals come only through the descriptor, read in the event loop.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  if (sigprocmask(SIG_BLOCK, &stop, nullptr) != 0) {
    std::perror("floor_qt_loop: sigprocmask");
    return 1;
  }
  const int signals = signalfd(-1, &stop, SFD_CLOEXEC);
  if (signals < 0) {
    std::perror("floor_qt_loop: signalfd");
    return 1;
  }

#if FLOOR_WIDGETS
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("X: 0  Y: 0"));
  label.resize(160, 40);
  label.show();
#else
  QCoreApplication app(argc, argv);
#endif
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "floor_qt_loop: cannot connect to the X display (is DISPLAY set?)\n");
    xcb_disconnect(c);
    return 1;
  }
  auto roots = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && roots.rem > 0; ++i)
    xcb_screen_next(&roots);
  if (roots.rem == 0) {
    std::fprintf(stderr, "floor_qt_loop: the display has no such screen\n");
    xcb_disconnect(c);
    return 1;
  }
  const xcb_window_t root = roots.data->root;

  QSocketNotifier stopped(signals, QSocketNotifier::Read);
  QObject::connect(&stopped, &QSocketNotifier::activated, &app, [&app] { app.exit(0); });

  long ticks = 0;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(10);  // ms
  QObject::connect(&timer, &QTimer::timeout, &app, [&] {
    xcb_generic_error_t* e = nullptr;
    xcb_query_pointer_reply_t* r = xcb_query_pointer_reply(c, xcb_query_pointer(c, root), &e);
    if (r == nullptr) {
      if (e != nullptr)
        std::fprintf(stderr, "floor_qt_loop: querying the pointer: X error %u\n", e->error_code);
      else
        std::fprintf(stderr, "floor_qt_loop: the X connection was lost\n");
      std::free(e);
      timer.stop();
      app.exit(1);
      return;
    }
#if FLOOR_WIDGETS
    if (ticks % 10 == 0)
      label.setText(QStringLiteral("X: %1  Y: %2").arg(r->root_x).arg(r->root_y));
#endif
    std::free(r);
    ++ticks;
  });
  timer.start();

  const int status = QCoreApplication::exec();
  std::fprintf(stderr, "floor_qt_loop: %ld ticks\n", ticks);
  xcb_disconnect(c);
  close(signals);
  return status;
}
