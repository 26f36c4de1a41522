#include "host/screen/portal/PortalSession.h"

#include <fcntl.h>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <utility>

#include "host/screen/portal/DBusValueReader.h"
#include "host/screen/portal/PortalToken.h"

namespace host {

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenCast = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// The portal's cursor modes (bit flags) and source types.
constexpr std::uint32_t kCursorHidden = 1;
constexpr std::uint32_t kCursorMetadata = 4;
constexpr std::uint32_t kSourceMonitor = 1;
// Kept until the user revokes it: later starts of the program do not ask again.
constexpr std::uint32_t kPersistUntilRevoked = 2;
// The portal version that knows persist_mode and restore tokens.
constexpr std::uint32_t kPersistVersion = 4;

std::string tokenPath() {
  return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/tintwell/portal-restore-token"))
      .toStdString();
}

}  // namespace

PortalSession::PortalSession(std::function<void(const QString&)> failed,
                             std::function<void(const SharedMonitor&)> shared)
    : m_failed(std::move(failed)), m_shared(std::move(shared)) {}

void PortalSession::start() {
  if (!m_bus.isConnected()) {
    failed(QStringLiteral("Wayland: no session bus, nothing to read."));
    return;
  }
  // Read once: whatever the file system does later, a retry never reads it again.
  m_token = portal::readTokenFile(tokenPath());
  getProperty(QStringLiteral("version"), [this](const QVariant& version) {
    // Of another type than the u the interface names, it reads as 0: the oldest portal.
    m_version = version.typeId() == QMetaType::UInt ? version.toUInt() : 0;
    getProperty(QStringLiteral("AvailableCursorModes"), [this](const QVariant& modes) {
      m_cursorModes = modes.typeId() == QMetaType::UInt ? modes.toUInt() : 0;
      createSession();
    });
  });
}

void PortalSession::createSession() {
  request(Step::CreateSession, QStringLiteral("CreateSession"), {},
          {{QStringLiteral("session_handle_token"),
            QStringLiteral("tintwell%1").arg(QRandomGenerator::global()->generate())}});
}

void PortalSession::getProperty(const QString& name, std::function<void(const QVariant&)> done) {
  QDBusMessage get = QDBusMessage::createMethodCall(
      kPortalService, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kScreenCast << name;
  auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, done = std::move(done)](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            const QDBusPendingReply<QDBusVariant> reply = *w;
            if (reply.isError()) {
              failed(QStringLiteral("Wayland: no screen-sharing portal, nothing to read."));
              return;
            }
            done(reply.value().variant());
          });
}

void PortalSession::listen(const QString& requestPath) {
  if (!m_requestPath.isEmpty()) {
    m_bus.disconnect(kPortalService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                     SLOT(onResponse(QDBusMessage)));
  }
  m_requestPath = requestPath;
  if (!m_requestPath.isEmpty()) {
    m_bus.connect(kPortalService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                  SLOT(onResponse(QDBusMessage)));
  }
}

void PortalSession::request(Step step, const QString& method, QList<QVariant> args,
                            QVariantMap options) {
  // The portal answers on a request object whose path follows from our bus name and a token of
  // ours: listening there before calling means no answer can be missed.
  const QString token = QStringLiteral("tintwell%1").arg(QRandomGenerator::global()->generate());
  QString sender = m_bus.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  listen(kPortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token);
  m_step = step;
  const std::uint64_t id = ++m_requestCount;
  options.insert(QStringLiteral("handle_token"), token);
  QDBusMessage call =
      QDBusMessage::createMethodCall(kPortalService, kPortalPath, kScreenCast, method);
  args.append(options);
  call.setArguments(args);
  auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
  connect(
      watcher, &QDBusPendingCallWatcher::finished, this,
      [this, step, id](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (id != m_requestCount) return;  // answered, retried or closed since
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) {
          if (retryWithoutToken(step)) return;
          failed(
              QStringLiteral("Wayland: screen sharing failed (%1).").arg(reply.error().message()));
          return;
        }
        // A portal older than the handle_token convention names another request object.
        if (const QString path = reply.value().path(); !path.isEmpty() && path != m_requestPath)
          listen(path);
      });
}

void PortalSession::onResponse(const QDBusMessage& message) {
  const Step step = m_step;
  if (step == Step::None) return;  // a second answer to a request already answered
  m_step = Step::None;
  const std::optional<std::vector<portal::Value>> arguments =
      portal::readDBusArguments(message.arguments());
  if (!arguments) {
    unreadable(step, "it nests too deep, holds too much or holds a value of no D-Bus type");
    return;
  }
  const portal::Request asked = step == Step::CreateSession   ? portal::Request::CreateSession
                                : step == Step::SelectSources ? portal::Request::SelectSources
                                                              : portal::Request::Start;
  const portal::ReadAnswer read = portal::readResponse(asked, *arguments);
  if (!read.answer) {
    unreadable(step, read.reason);
    return;
  }
  const portal::Answer& answer = *read.answer;
  if (answer.response != 0) {
    // The user's no is the answer at once; a refusal may be the token's doing.
    if (answer.response != 1 && retryWithoutToken(step)) return;
    failed(answer.response == 1
               ? QStringLiteral("Wayland: screen sharing declined, nothing to read.")
               : QStringLiteral("Wayland: screen sharing refused, nothing to read."));
    return;
  }
  switch (step) {
    case Step::CreateSession:
      m_sessionPath = QString::fromStdString(answer.sessionHandle);
      selectSources();
      break;
    case Step::SelectSources:
      request(Step::Start, QStringLiteral("Start"),
              {QVariant::fromValue(QDBusObjectPath(m_sessionPath)), QString()}, {});
      break;
    case Step::Start:
      // A session granted without the kept token after one with it failed: that token was the
      // trouble, and this session's token (or none) takes its place.
      if (answer.restoreToken) {
        portal::writeTokenFile(tokenPath(), *answer.restoreToken);
      } else if (m_withoutToken) {
        portal::forgetTokenFile(tokenPath());
      }
      if (!answer.monitor) {
        failed(QStringLiteral("Wayland: the desktop shared no monitor."));
        return;
      }
      openRemote(*answer.monitor);
      break;
    case Step::None:
      break;
  }
}

bool PortalSession::retryWithoutToken(Step step) {
  // A request that offered the kept token, refused or failed: the token may be what the portal
  // could not use, so the conversation starts over once without it. The file stays as it is (a
  // cancel or a passing failure must not cost a good token); a session granted without it
  // replaces it. Without a token to offer, the next refusal is the answer: never a loop.
  if (!m_tokenOffered || (step != Step::SelectSources && step != Step::Start)) return false;
  m_token.reset();
  m_tokenOffered = false;
  m_withoutToken = true;
  close();
  createSession();
  return true;
}

void PortalSession::unreadable(Step step, const std::string& reason) {
  const char* method = step == Step::CreateSession   ? "CreateSession"
                       : step == Step::SelectSources ? "SelectSources"
                                                     : "Start";
  qWarning("tintwell: the portal's answer to %s cannot be read: %s", method, reason.c_str());
  failed(QStringLiteral("Wayland: the desktop's portal sent an answer this program cannot read."));
}

void PortalSession::selectSources() {
  const bool metadata = (m_cursorModes & kCursorMetadata) != 0;
  QVariantMap options{{QStringLiteral("types"), kSourceMonitor},
                      {QStringLiteral("multiple"), false},
                      {QStringLiteral("cursor_mode"), metadata ? kCursorMetadata : kCursorHidden}};
  m_tokenOffered = false;
  if (m_version >= kPersistVersion) {
    options.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
    if (m_token) {
      options.insert(QStringLiteral("restore_token"), QString::fromStdString(*m_token));
      m_tokenOffered = true;
    }
  }
  request(Step::SelectSources, QStringLiteral("SelectSources"),
          {QVariant::fromValue(QDBusObjectPath(m_sessionPath))}, options);
}

void PortalSession::openRemote(const portal::SharedStream& monitor) {
  QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kScreenCast,
                                                     QStringLiteral("OpenPipeWireRemote"));
  call << QVariant::fromValue(QDBusObjectPath(m_sessionPath)) << QVariantMap();
  auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
  const bool metadata = (m_cursorModes & kCursorMetadata) != 0;
  // Where the portal does not say, the stream's corner is the desktop's origin and it is
  // unscaled.
  const portal::Point position = monitor.position.value_or(portal::Point{});
  const portal::Size size = monitor.size.value_or(portal::Size{});
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, node = monitor.node, position, size, metadata](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
            if (reply.isError() || !reply.value().isValid()) {
              failed(QStringLiteral("Wayland: the screen stream could not be opened."));
              return;
            }
            // The descriptor object closes its own copy; PipeWire takes one of ours.
            m_shared({fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3), node,
                      QPoint(position.x, position.y), QSize(size.width, size.height), metadata});
          });
}

void PortalSession::failed(const QString& why) {
  close();
  m_failed(why);
}

void PortalSession::close() {
  listen(QString());
  ++m_requestCount;
  if (!m_sessionPath.isEmpty()) {
    m_bus.asyncCall(QDBusMessage::createMethodCall(kPortalService, m_sessionPath,
                                                   QStringLiteral("org.freedesktop.portal.Session"),
                                                   QStringLiteral("Close")));
    m_sessionPath.clear();
  }
  m_step = Step::None;
}

}  // namespace host
