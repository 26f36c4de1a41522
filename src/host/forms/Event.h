#pragma once

#include <cstddef>
#include <functional>
#include <list>

#include "host/forms/Forms.h"

namespace host {

// An event of a window or control: any number of listeners, run in the order they were connected,
// each at the runtime's handler boundary (a run-time error in one is logged and the next still
// runs). An argument passed by reference (`Event<int&>`, `Event<bool&, int>`) lets listeners
// change it, as the runtime's events with by-reference arguments do; later listeners see the
// change.
template <class... Args>
class Event {
 public:
  using Listener = std::function<void(Args...)>;

  // `name` labels a failing listener's log line ("Click", "Form_Load").
  explicit Event(const char* name) : m_name(name) {}
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void connect(Listener listener) { m_listeners.push_back(std::move(listener)); }
  bool hasListeners() const { return !m_listeners.empty(); }

  // A listener connected while the event is being raised first runs the next time. (A list
  // keeps the running listener in place while another is added, and an event nobody listens to,
  // most of a control's, allocates nothing.)
  void raise(Args... args) const {
    const std::size_t count = m_listeners.size();
    auto listener = m_listeners.begin();
    for (std::size_t i = 0; i < count; ++i, ++listener) {
      runEventHandler(m_name, [&] { (*listener)(args...); });
    }
  }

 private:
  const char* m_name;
  std::list<Listener> m_listeners;
};

}  // namespace host
