#include "host/screen/portal/PortalPick.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <QVariantMap>

#include <cstdio>

#include "host/screen/PortalModule.h"
#include "host/screen/portal/DBusValueReader.h"
#include "host/screen/portal/PortalReply.h"

namespace host {

namespace {
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
constexpr int kLongestPickMs = 120'000;
}  // namespace

void PortalPick::finish(Outcome outcome, const char* why) {
  if (m_outcome != Outcome::Waiting) return;  // a second answer, or one after the time ran out
  m_outcome = outcome;
  if (why != nullptr) std::fprintf(stderr, "tintwell: %s\n", why);
  Q_EMIT answered();
}

PortalPick::Outcome PortalPick::run(std::uint32_t& color) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    finish(Outcome::Unavailable, "no session bus, so no desktop portal to pick a color with");
    return m_outcome;
  }
  // The answer comes on a request object whose path follows from our bus name and a token of
  // ours: listening there before asking means it cannot be missed.
  const QString token = QStringLiteral("tintwell%1").arg(QRandomGenerator::global()->generate());
  QString sender = bus.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  const QString path = kPortalPath + QStringLiteral("/request/") + sender + u'/' + token;
  bus.connect(kPortalService, path, kRequest, QStringLiteral("Response"), this,
              SLOT(onResponse(QDBusMessage)));
  QDBusMessage call = QDBusMessage::createMethodCall(
      kPortalService, kPortalPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
      QStringLiteral("PickColor"));
  call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
  QEventLoop loop;
  connect(this, &PortalPick::answered, &loop, &QEventLoop::quit);
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, &bus, path](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            const QDBusPendingReply<QDBusObjectPath> reply = *w;
            if (reply.isError()) {
              finish(Outcome::Unavailable, "the desktop has no color picker portal");
              return;
            }
            // A portal older than the handle_token convention names another request object.
            if (const QString other = reply.value().path(); !other.isEmpty() && other != path) {
              bus.connect(kPortalService, other, kRequest, QStringLiteral("Response"), this,
                          SLOT(onResponse(QDBusMessage)));
            }
          });
  QTimer::singleShot(kLongestPickMs, this, [this] {
    finish(Outcome::Unavailable, "the desktop's color picker did not answer in two minutes");
  });
  if (m_outcome == Outcome::Waiting) loop.exec();
  if (m_outcome == Outcome::Picked) color = m_color;
  return m_outcome;
}

void PortalPick::onResponse(const QDBusMessage& message) {
  const std::optional<std::vector<portal::Value>> arguments =
      portal::readDBusArguments(message.arguments());
  const portal::ReadPick read =
      arguments ? portal::readPickResponse(*arguments) : portal::ReadPick{{}, "too deep"};
  if (!read.answer) {
    std::fprintf(stderr, "tintwell: the desktop's color picker answered what cannot be read (%s)\n",
                 read.reason.c_str());
    finish(Outcome::Unavailable);
    return;
  }
  m_color = read.answer->color;
  finish(read.answer->response == 0 ? Outcome::Picked : Outcome::Cancelled);
}

}  // namespace host

// The module's second export: the desktop's own color picker.
extern "C" Q_DECL_EXPORT int tintwell_portal_pick_color(std::uint32_t* color) {
  host::PortalPick pick;
  std::uint32_t picked = 0;
  switch (pick.run(picked)) {
    case host::PortalPick::Outcome::Picked:
      if (color != nullptr) *color = picked;
      return host::kPortalPicked;
    case host::PortalPick::Outcome::Cancelled:
      return host::kPortalCancelled;
    default:
      return host::kPortalUnavailable;
  }
}
