#include "host/forms/Timer.h"

#include <algorithm>

namespace host {

Timer::Timer() {
  // Precise: the magnifier ticks every 10 ms and a coarse timer would lose a third of them.
  m_timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { fire(); });
}

void Timer::Interval(int ms) {
  m_interval = std::clamp(ms, 0, 65535);
  apply();
}

void Timer::Enabled(bool on) {
  m_enabled = on;
  apply();
}

void Timer::Suspend() {
  m_suspended = true;
  m_timer.stop();
}

void Timer::Resume() {
  if (!m_suspended) return;
  apply();
}

void Timer::apply() {
  m_suspended = false;
  if (m_enabled && m_interval > 0) {
    // Re-arming restarts the count, as the runtime does when Interval or Enabled is set.
    m_timer.start(m_interval);
  } else {
    m_timer.stop();
  }
}

void Timer::fire() {
  if (m_inHandler || !m_enabled) return;
  m_inHandler = true;
  Tick.raise();
  m_inHandler = false;
}

}  // namespace host
