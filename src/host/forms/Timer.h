#pragma once

#include <QTimer>

#include "host/forms/Event.h"

namespace host {

// The forms runtime's timer: ticks about every Interval milliseconds while Enabled and the
// interval is above 0, never while disabled, and never inside its own running handler (a handler
// that lets pending messages run cannot be entered again by its own timer).
class Timer {
 public:
  Timer();

  int Interval() const { return m_interval; }
  void Interval(int ms);
  bool Enabled() const { return m_enabled; }
  void Enabled(bool on);

  // The runtime's Timer event.
  Event<> Tick{"Timer"};

  // Rests the clock without disabling the timer: no ticks until Resume, or until Interval or
  // Enabled is set again. For a handler that knows its next ticks would change nothing.
  void Suspend();
  // Ticks again, an interval from now, if the timer is still enabled.
  void Resume();
  bool suspended() const { return m_suspended; }

  // Whether the underlying clock is armed (for tests and benchmarks).
  bool isRunning() const { return m_timer.isActive(); }

 private:
  void apply();
  void fire();

  QTimer m_timer;
  int m_interval = 0;
  bool m_enabled = false;
  bool m_inHandler = false;
  bool m_suspended = false;
};

}  // namespace host
