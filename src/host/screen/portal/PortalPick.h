#pragma once

#include <QDBusMessage>
#include <QObject>
#include <cstdint>

namespace host {

// The Screenshot portal's PickColor: the desktop lets the user point at a pixel and answers with
// its color in a Response signal on the request's own object path. One question, answered once.
class PortalPick : public QObject {
  Q_OBJECT
 public:
  enum class Outcome { Waiting, Picked, Cancelled, Unavailable };

  // Asks and runs the event loop until the answer, or for at most two minutes (a portal that
  // never answers). Where the pick cannot be had, one line on stderr says why.
  Outcome run(std::uint32_t& color);

 public Q_SLOTS:
  // Every Response on the request's path, whatever it carries: its arguments are checked here.
  void onResponse(const QDBusMessage& message);

 Q_SIGNALS:
  void answered();

 private:
  void finish(Outcome outcome, const char* why = nullptr);

  Outcome m_outcome = Outcome::Waiting;
  std::uint32_t m_color = 0;
};

}  // namespace host
