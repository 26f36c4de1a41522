#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "host/screen/portal/PortalReply.h"

namespace host {

// A monitor the desktop shared, ready to be streamed: the descriptor of the PipeWire remote
// (the receiver's to close; negative where it could not be had), the stream's node, and where
// the monitor sits on the desktop and how large it is in the desktop's logical pixels (the
// desktop's origin and an empty size where the portal does not say).
struct SharedMonitor {
  int fd = -1;
  std::uint32_t node = 0;
  QPoint position;
  QSize size;
  bool cursorMetadata = false;  // the stream was asked to carry the pointer's position
};

// The conversation with the desktop's ScreenCast portal over the session bus, from the first
// question to a shared monitor: one request at a time, each answered by a Response signal on the
// request's own object path. The restore token kept from an earlier run is offered, and a
// session granted replaces it; a refusal with the kept token is tried once more without it,
// never more. An answer that is not of the types the portal's interface names is not read at
// all. Lives on the GUI thread.
class PortalSession : public QObject {
  Q_OBJECT
 public:
  // `failed` is told in one line, for the window, why the conversation ended without a
  // monitor; `shared` is given the monitor the desktop shared.
  PortalSession(std::function<void(const QString&)> failed,
                std::function<void(const SharedMonitor&)> shared);
  void start();
  void close();

 public Q_SLOTS:
  // Every Response on the request's path, whatever it carries: its arguments are checked here.
  // (A slot of the expected argument types would never hear an answer of other types, and the
  // window would wait for ever.)
  void onResponse(const QDBusMessage& message);

 private:
  enum class Step { None, CreateSession, SelectSources, Start };
  void getProperty(const QString& name, std::function<void(const QVariant&)> done);
  void createSession();
  void request(Step step, const QString& method, QList<QVariant> args, QVariantMap options);
  void listen(const QString& requestPath);
  void selectSources();
  void openRemote(const portal::SharedStream& monitor);
  bool retryWithoutToken(Step step);
  void unreadable(Step step, const std::string& reason);
  void failed(const QString& why);

  std::function<void(const QString&)> m_failed;
  std::function<void(const SharedMonitor&)> m_shared;
  QDBusConnection m_bus = QDBusConnection::sessionBus();
  QString m_requestPath;
  QString m_sessionPath;
  Step m_step = Step::None;
  std::uint32_t m_version = 0;
  std::uint32_t m_cursorModes = 0;
  std::optional<std::string> m_token;  // the kept restore token, until an attempt with it fails
  bool m_tokenOffered = false;         // this attempt's SelectSources offered m_token
  bool m_withoutToken = false;         // this attempt follows one with the token that failed
  std::uint64_t m_requestCount = 0;    // a method reply to an earlier request is not heard
};

}  // namespace host
