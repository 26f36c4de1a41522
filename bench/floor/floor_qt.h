// What the toolkit floors (floor_qt_loop.cpp, floor_qt_picker.cpp) share: the stop signals read
// in the event loop, an X connection of their own to the default screen, the 10 ms clock, and the
// run that ends on a stop signal with the tick count on stderr. A failure ends the program with a
// message on stderr and status 1.
#pragma once

#include <sys/signalfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace floor_qt {

[[noreturn]] inline void fail(const char* name, const char* what) {
  std::fprintf(stderr, "%s: %s\n", name, what);
  std::exit(1);
}

// A reply that did not come: the server's error (xcb allocates it), or the connection gone.
[[noreturn]] inline void failReply(const char* name, const char* what, xcb_generic_error_t* e) {
  if (e == nullptr) fail(name, "the X connection was lost");
  std::fprintf(stderr, "%s: %s: X error %u\n", name, what, e->error_code);
  std::free(e);
  std::exit(1);
}

// SIGTERM and SIGINT, blocked and read through the descriptor returned. Called before the toolkit
// starts a thread, so that every thread inherits the mask.
inline int blockStopSignals(const char* name) {
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  if (sigprocmask(SIG_BLOCK, &stop, nullptr) != 0) fail(name, "sigprocmask failed");
  const int signals = signalfd(-1, &stop, SFD_CLOEXEC);
  if (signals < 0) fail(name, "signalfd failed");
  return signals;
}

// A connection of the floor's own to DISPLAY, and its default screen.
struct Display {
  xcb_connection_t* c = nullptr;
  const xcb_screen_t* screen = nullptr;
};

inline Display connect(const char* name) {
  Display d;
  int screenNumber = 0;
  d.c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(d.c))
    fail(name, "cannot connect to the X display (is DISPLAY set?)");
  auto roots = xcb_setup_roots_iterator(xcb_get_setup(d.c));
  for (int i = 0; i < screenNumber && roots.rem > 0; ++i)
    xcb_screen_next(&roots);
  if (roots.rem == 0) fail(name, "the display has no such screen");
  d.screen = roots.data;
  return d;
}

// The picker's clock: a precise 10 ms timer (the magnifier's interval).
inline void setUpClock(QTimer& timer) {
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(10);  // ms
}

// Runs the event loop until a stop signal (status 0) or an exit the floor asks for, then prints
// the tick count and closes the connection and the descriptor.
inline int runUntilStopped(const char* name, int signals, Display& d, const long& ticks) {
  QSocketNotifier stopped(signals, QSocketNotifier::Read);
  QObject::connect(&stopped, &QSocketNotifier::activated, QCoreApplication::instance(),
                   [] { QCoreApplication::exit(0); });
  const int status = QCoreApplication::exec();
  std::fprintf(stderr, "%s: %ld ticks\n", name, ticks);
  xcb_disconnect(d.c);
  close(signals);
  return status;
}

}  // namespace floor_qt
