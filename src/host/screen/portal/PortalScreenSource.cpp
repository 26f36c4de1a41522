#include "host/screen/portal/PortalScreenSource.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QFile>
#include <QGuiApplication>
#include <QObject>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
#include <vector>

#include "host/screen/PhysicalPixels.h"
#include "host/screen/PortalModule.h"
#include "host/screen/QtScreenSource.h"
#include "host/screen/portal/DBusValueReader.h"
#include "host/screen/portal/PipeWire.h"
#include "host/screen/portal/PortalFrame.h"
#include "host/screen/portal/PortalReply.h"
#include "host/screen/portal/PortalToken.h"
#include "host/screen/portal/VirtualPointer.h"

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

// Largest cursor bitmap asked for in the metadata (pixels a side); only the position is used,
// but a producer that sends bitmaps needs room for one.
constexpr int kCursorBitmapSide = 64;

std::string tokenPath() {
  return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/tintwell/portal-restore-token"))
      .toStdString();
}

std::optional<portal::PixelOrder> orderOf(std::uint32_t format) {
  switch (format) {
    case SPA_VIDEO_FORMAT_BGRx:
    case SPA_VIDEO_FORMAT_BGRA:
      return portal::PixelOrder::BGRx;
    case SPA_VIDEO_FORMAT_RGBx:
    case SPA_VIDEO_FORMAT_RGBA:
      return portal::PixelOrder::RGBx;
    case SPA_VIDEO_FORMAT_xRGB:
    case SPA_VIDEO_FORMAT_ARGB:
      return portal::PixelOrder::xRGB;
    case SPA_VIDEO_FORMAT_xBGR:
    case SPA_VIDEO_FORMAT_ABGR:
      return portal::PixelOrder::xBGR;
    default:
      return std::nullopt;
  }
}

}  // namespace

// The portal conversation: one request at a time, each answered by a Response signal on the
// request's own object path. Lives on the GUI thread.
class PortalSession : public QObject {
  Q_OBJECT
 public:
  explicit PortalSession(PortalScreenSource::Impl& owner) : m_owner(owner) {}
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

  PortalScreenSource::Impl& m_owner;
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

struct PortalScreenSource::Impl {
  std::unique_ptr<PortalSession> session;
  std::function<void(const QString&)> noticeChanged;
  QString notice;
  // The pointer given to the tests where the desktop's portal shares none, in the desktop's
  // logical pixels (where the test moved it).
  std::optional<QPoint> testPointer;

  // PipeWire, on its own thread.
  pw_thread_loop* loop = nullptr;
  pw_context* context = nullptr;
  pw_core* core = nullptr;
  pw_stream* stream = nullptr;
  spa_hook streamListener{};
  bool metadataAsked = false;

  // What the stream thread hands the GUI thread.
  std::mutex lock;
  pw_buffer* held = nullptr;  // the newest frame, dequeued until a newer one replaces it
  portal::FrameView frame;    // over `held`
  portal::StreamPlacement placement;
  std::optional<portal::PixelOrder> order;
  std::optional<QPoint> pointer;  // from the cursor metadata, desktop (physical) pixels
  // New frames and pointer moves so far, and how many of them the GUI thread's last read saw: a
  // resting caller is woken by the next one.
  std::uint64_t changes = 0;
  std::uint64_t changesRead = 0;
  std::function<void()> wake;
  std::uint64_t wakeRequest = 0;  // the GUI thread's; a posted wake of an older one is dropped
  // The GUI thread's reused grab image.
  QImage grabImage;
  // The arrow keys' pointer, made on the first press.
  std::unique_ptr<VirtualPointer> keysPointer;

  ~Impl() { stopStream(); }

  void setNotice(const QString& text) {
    if (text == notice) return;
    notice = text;
    if (noticeChanged) noticeChanged(notice);
  }
  // From the stream thread: the notice is set on the GUI thread.
  void postNotice(const QString& text) {
    QMetaObject::invokeMethod(
        session.get(), [this, text] { setNotice(text); }, Qt::QueuedConnection);
  }

  void startStream(int fd, std::uint32_t node, QPoint position, QSize size, bool metadata);
  void stopStream();
  void releaseHeld();  // on the stream thread or with its loop locked

  static void onParamChanged(void* data, std::uint32_t id, const spa_pod* param);
  static void onStateChanged(void* data, pw_stream_state old, pw_stream_state state,
                             const char* error);
  static void onProcess(void* data);
  static void onRemoveBuffer(void* data, pw_buffer* buffer);
};

// --- The portal conversation -------------------------------------------------------------------

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
            const int fd = fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
            m_owner.startStream(fd, node, QPoint(position.x, position.y),
                                QSize(size.width, size.height), metadata);
          });
}

void PortalSession::failed(const QString& why) {
  close();
  m_owner.setNotice(why);
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

// --- The stream -------------------------------------------------------------------------------

TW_PIPEWIRE_BEGIN

void PortalScreenSource::Impl::startStream(int fd, std::uint32_t node, QPoint position, QSize size,
                                           bool metadata) {
  if (fd < 0) {
    setNotice(QStringLiteral("Wayland: the screen stream could not be opened."));
    return;
  }
  metadataAsked = metadata;
  {
    std::lock_guard guard(lock);
    placement.x = position.x();
    placement.y = position.y();
    placement.width = size.width();
    placement.height = size.height();
  }
  pw_init(nullptr, nullptr);
  loop = pw_thread_loop_new("tintwell-screen", nullptr);
  if (loop == nullptr) {
    close(fd);
    setNotice(QStringLiteral("Wayland: the screen stream could not be opened."));
    return;
  }
  context = pw_context_new(pw_thread_loop_get_loop(loop), nullptr, 0);
  pw_thread_loop_start(loop);
  pw_thread_loop_lock(loop);
  core = context != nullptr ? pw_context_connect_fd(context, fd, nullptr, 0) : nullptr;
  if (core == nullptr) {
    pw_thread_loop_unlock(loop);
    setNotice(QStringLiteral("Wayland: the screen stream could not be opened."));
    return;
  }
  stream = pw_stream_new(core, "Tintwell",
                         pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                           "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr));
  static const pw_stream_events events = [] {
    pw_stream_events e{};
    e.version = PW_VERSION_STREAM_EVENTS;
    e.state_changed = &Impl::onStateChanged;
    e.param_changed = &Impl::onParamChanged;
    e.process = &Impl::onProcess;
    e.remove_buffer = &Impl::onRemoveBuffer;
    return e;
  }();
  pw_stream_add_listener(stream, &streamListener, &events, this);

  // 32-bit formats whose bytes convert exactly to a color; any size and rate the monitor has.
  std::uint8_t buffer[1024];
  spa_pod_builder b = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
  const spa_rectangle defSize = SPA_RECTANGLE(1920, 1080), minSize = SPA_RECTANGLE(1, 1),
                      maxSize = SPA_RECTANGLE(16384, 16384);
  const spa_fraction defRate = SPA_FRACTION(30, 1), minRate = SPA_FRACTION(0, 1),
                     maxRate = SPA_FRACTION(1000, 1);
  const spa_pod* params[1];
  params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
      &b, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
      SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
      SPA_FORMAT_VIDEO_format,
      SPA_POD_CHOICE_ENUM_Id(9, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_RGBx,
                             SPA_VIDEO_FORMAT_xRGB, SPA_VIDEO_FORMAT_xBGR, SPA_VIDEO_FORMAT_BGRA,
                             SPA_VIDEO_FORMAT_RGBA, SPA_VIDEO_FORMAT_ARGB, SPA_VIDEO_FORMAT_ABGR),
      SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defSize, &minSize, &maxSize),
      SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&defRate, &minRate, &maxRate)));
  const int connected = pw_stream_connect(
      stream, PW_DIRECTION_INPUT, node,
      static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS), params,
      1);
  pw_thread_loop_unlock(loop);
  if (connected < 0) setNotice(QStringLiteral("Wayland: the screen stream could not be opened."));
}

void PortalScreenSource::Impl::onParamChanged(void* data, std::uint32_t id, const spa_pod* param) {
  auto* self = static_cast<Impl*>(data);
  if (param == nullptr || id != SPA_PARAM_Format) return;
  spa_video_info_raw info{};
  if (spa_format_video_raw_parse(param, &info) < 0) return;
  {
    std::lock_guard guard(self->lock);
    self->order = orderOf(info.format);
    self->placement.frameWidth = static_cast<int>(info.size.width);
    self->placement.frameHeight = static_cast<int>(info.size.height);
  }
  self->releaseHeld();
  if (!orderOf(info.format)) {
    self->postNotice(QStringLiteral("Wayland: the stream's pixel format is unreadable."));
    return;
  }
  // Shared memory only: the frames are read by the CPU, one pixel or block at a time.
  std::uint8_t buffer[1024];
  spa_pod_builder b = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
  const spa_pod* params[2];
  std::uint32_t n = 0;
  params[n++] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
      &b, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_dataType,
      SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemPtr) | (1 << SPA_DATA_MemFd))));
  if (self->metadataAsked) {
    const int cursorSize = static_cast<int>(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) +
                           kCursorBitmapSide * kCursorBitmapSide * 4;
    params[n++] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &b, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
        SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
        SPA_POD_CHOICE_RANGE_Int(cursorSize, static_cast<int>(sizeof(spa_meta_cursor)),
                                 cursorSize)));
  }
  pw_stream_update_params(self->stream, params, n);
}

void PortalScreenSource::Impl::onStateChanged(void* data, pw_stream_state old,
                                              pw_stream_state state, const char* error) {
  auto* self = static_cast<Impl*>(data);
  if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED) {
    // The stream's buffers may be gone already: the held one is dropped, not queued back.
    {
      std::lock_guard guard(self->lock);
      self->held = nullptr;
      self->frame = portal::FrameView{};
    }
    self->postNotice(QStringLiteral("Wayland: the screen stream stopped%1.")
                         .arg(error != nullptr
                                  ? QStringLiteral(" (%1)").arg(QString::fromUtf8(error))
                                  : QString()));
  } else if (state == PW_STREAM_STATE_PAUSED && old == PW_STREAM_STATE_STREAMING) {
    // The producer went away (or renegotiates, and streams again in a moment).
    self->postNotice(QStringLiteral("Wayland: the screen stream stopped."));
  } else if (state == PW_STREAM_STATE_STREAMING) {
    // Pixels come; without cursor metadata the pointer's position does not.
    self->postNotice(self->metadataAsked
                         ? QString()
                         : QStringLiteral("Wayland: this desktop shares no pointer position."));
  }
}

void PortalScreenSource::Impl::onProcess(void* data) {
  auto* self = static_cast<Impl*>(data);
  // Only the newest frame matters; older ones go straight back. Each may carry a pointer move.
  pw_buffer* newest = nullptr;
  portal::Bytes newestBytes;
  std::int32_t newestStride = 0;
  std::optional<QPoint> pointer;
  while (pw_buffer* b = pw_stream_dequeue_buffer(self->stream)) {
    const spa_buffer* sb = b->buffer;
    if (sb == nullptr) {
      pw_stream_queue_buffer(self->stream, b);
      continue;
    }
    if (auto* c = static_cast<spa_meta_cursor*>(
            spa_buffer_find_meta_data(sb, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
      const portal::CursorMeta meta{c->id, c->position.x, c->position.y, c->hotspot.x,
                                    c->hotspot.y};
      std::lock_guard guard(self->lock);
      if (const auto p = portal::pointerOnDesktop(self->placement, meta))
        pointer = QPoint(p->x, p->y);
    }
    // A buffer may come with no data plane at all (cursor metadata alone).
    std::optional<portal::Bytes> bytes;
    if (sb->n_datas > 0 && sb->datas != nullptr && sb->datas[0].chunk != nullptr) {
      const spa_data& d = sb->datas[0];
      bytes =
          portal::chunkBytes({static_cast<const std::uint8_t*>(d.data), d.maxsize, d.chunk->offset,
                              d.chunk->size, (d.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) != 0});
      if (bytes) newestStride = d.chunk->stride;
    }
    if (!bytes) {
      pw_stream_queue_buffer(self->stream, b);
      continue;
    }
    if (newest != nullptr) pw_stream_queue_buffer(self->stream, newest);
    newest = b;
    newestBytes = *bytes;
  }
  pw_buffer* old = nullptr;
  std::function<void()> wake;
  {
    std::lock_guard guard(self->lock);
    if (newest != nullptr || (pointer && pointer != self->pointer)) {
      ++self->changes;
      wake = std::move(self->wake);
      self->wake = nullptr;
    }
    if (pointer) self->pointer = pointer;
    if (newest != nullptr) {
      old = self->held;
      self->held = newest;
      self->frame.data = newestBytes.data;
      self->frame.bytes = newestBytes.size;
      self->frame.width = self->placement.frameWidth;
      self->frame.height = self->placement.frameHeight;
      self->frame.stride = newestStride > 0 ? newestStride : self->frame.width * 4;
      self->frame.order = self->order.value_or(portal::PixelOrder::BGRx);
      if (!self->order) self->frame.data = nullptr;  // a format we cannot convert: no pixels
    }
  }
  if (old != nullptr) pw_stream_queue_buffer(self->stream, old);
  if (wake) {
    QMetaObject::invokeMethod(self->session.get(), std::move(wake), Qt::QueuedConnection);
  }
}

void PortalScreenSource::Impl::onRemoveBuffer(void* data, pw_buffer* buffer) {
  // Buffers go when the format changes or the producer goes away: never read one after that.
  auto* self = static_cast<Impl*>(data);
  std::lock_guard guard(self->lock);
  if (self->held == buffer) {
    self->held = nullptr;
    self->frame = portal::FrameView{};
  }
}

void PortalScreenSource::Impl::releaseHeld() {
  pw_buffer* old = nullptr;
  {
    std::lock_guard guard(lock);
    old = held;
    held = nullptr;
    frame = portal::FrameView{};
  }
  if (old != nullptr && stream != nullptr) pw_stream_queue_buffer(stream, old);
}

void PortalScreenSource::Impl::stopStream() {
  if (loop == nullptr) return;
  pw_thread_loop_lock(loop);
  if (stream != nullptr) {
    releaseHeld();
    pw_stream_destroy(stream);
    stream = nullptr;
  }
  if (core != nullptr) pw_core_disconnect(core);
  core = nullptr;
  pw_thread_loop_unlock(loop);
  pw_thread_loop_stop(loop);
  if (context != nullptr) pw_context_destroy(context);
  context = nullptr;
  pw_thread_loop_destroy(loop);
  loop = nullptr;
}

TW_PIPEWIRE_END

// --- The source -------------------------------------------------------------------------------

PortalScreenSource::PortalScreenSource() : m(std::make_unique<Impl>()) {}

PortalScreenSource::~PortalScreenSource() {
  m->noticeChanged = nullptr;
  m->stopStream();
  if (m->session) m->session->close();
}

std::unique_ptr<PortalScreenSource> PortalScreenSource::create() {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return nullptr;
  std::unique_ptr<PortalScreenSource> source(new PortalScreenSource());
  Impl& m = *source->m;
#ifdef TINTWELL_TEST_SETTINGS
  // For the end-to-end test on desktops whose portal shares no pointer position: the test
  // moves the pointer and names the same point here ("x,y", the desktop's logical pixels). Only
  // in a build with the tests, and said on stderr: a stray value would pin the pointer and keep
  // the magnifier from resting.
  if (const QByteArray at = qgetenv("TINTWELL_TEST_POINTER"); !at.isEmpty()) {
    const QList<QByteArray> xy = at.split(',');
    bool okX = false, okY = false;
    if (xy.size() == 2) {
      const int x = xy[0].trimmed().toInt(&okX), y = xy[1].trimmed().toInt(&okY);
      if (okX && okY) {
        m.testPointer = QPoint(x, y);
        std::fprintf(stderr,
                     "tintwell: TINTWELL_TEST_POINTER pins the pointer at %d,%d (a test setting)\n",
                     x, y);
      }
    }
  }
#endif
  m.session = std::make_unique<PortalSession>(m);
  m.setNotice(QStringLiteral("Wayland: waiting for the desktop to share it."));
  m.session->start();
  return source;
}

QPoint PortalScreenSource::cursorPos() {
  std::optional<QPoint> logical = m->testPointer;
  portal::StreamPlacement s;
  {
    std::lock_guard guard(m->lock);
    if (!logical && m->pointer) return *m->pointer;
    s = m->placement;
  }
  // No cursor metadata (yet, or from this desktop at all): where the toolkit last saw it, in
  // the desktop's logical pixels.
  if (!logical) logical = QCursor::pos();
  if (QRect(s.x, s.y, s.width, s.height).contains(*logical)) {
    const portal::Point p = portal::logicalToDesktop(s, {logical->x(), logical->y()});
    return {p.x, p.y};
  }
  return toPhysical(*logical);
}

ColorRef PortalScreenSource::pixel(QPoint p) {
  std::lock_guard guard(m->lock);
  m->changesRead = m->changes;
  const portal::Point f = portal::desktopToFrame(m->placement, {p.x(), p.y()});
  return portal::pixelOf(m->frame, f.x, f.y);
}

QImage PortalScreenSource::grab(const QRect& r) {
  if (r.isEmpty()) return {};
  // Reused while the size stays: a moving pointer allocates nothing.
  if (m->grabImage.size() != r.size() || m->grabImage.isNull())
    m->grabImage = QImage(r.size(), QImage::Format_RGB32);
  QImage& out = m->grabImage;
  auto* words = reinterpret_cast<std::uint32_t*>(out.bits());
  const int stride = static_cast<int>(out.bytesPerLine() / 4);
  std::lock_guard guard(m->lock);
  m->changesRead = m->changes;
  const portal::Point f = portal::desktopToFrame(m->placement, {r.x(), r.y()});
  portal::copyBlock(m->frame, f.x, f.y, r.width(), r.height(), words, stride);
  return out;
}

std::optional<QRect> PortalScreenSource::screenGeometryAt(QPoint p) {
  {
    // The shared monitor: its frames' size from its corner. On a scaled desktop the physical
    // extents of neighbouring outputs may overlap it; the shared one, the only one read, wins.
    std::lock_guard guard(m->lock);
    const portal::StreamPlacement& s = m->placement;
    if (const QRect shared(s.x, s.y, s.frameWidth, s.frameHeight);
        !shared.isEmpty() && shared.contains(p)) {
      return shared;
    }
  }
  return QtScreenSource().screenGeometryAt(p);
}

QRect PortalScreenSource::primaryGeometry() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return {};
  return screenGeometryAt(primary->geometry().topLeft()).value_or(QRect());
}

bool PortalScreenSource::movePointerBy(QPoint delta) {
  // The desktop moves its pointer in logical pixels, and keeps fractions of them: a physical
  // pixel of a scaled output is the stream's share of one.
  double perLogicalX = 1.0, perLogicalY = 1.0;
  {
    std::lock_guard guard(m->lock);
    const portal::StreamPlacement& s = m->placement;
    if (s.width > 0 && s.height > 0 && s.frameWidth > 0 && s.frameHeight > 0) {
      perLogicalX = static_cast<double>(s.frameWidth) / s.width;
      perLogicalY = static_cast<double>(s.frameHeight) / s.height;
    }
  }
  if (!m->keysPointer) m->keysPointer = std::make_unique<VirtualPointer>();
  return m->keysPointer->moveBy(delta.x() / perLogicalX, delta.y() / perLogicalY);
}

bool PortalScreenSource::wakeOnActivity(std::function<void()> wake) {
  const std::uint64_t request = ++m->wakeRequest;
  std::lock_guard guard(m->lock);
  m->wake = nullptr;
  // Only a stream with cursor metadata tells of every pointer move; before the first frame, or
  // with something new since the last read, the caller goes on polling.
  if (!wake || m->loop == nullptr || !m->metadataAsked || m->testPointer || !m->held ||
      m->changes != m->changesRead) {
    return false;
  }
  m->wake = [impl = m.get(), request, wake = std::move(wake)] {
    if (impl->wakeRequest == request) wake();
  };
  return true;
}

QString PortalScreenSource::notice() const {
  return m->notice;
}

void PortalScreenSource::onNoticeChanged(std::function<void(const QString&)> changed) {
  m->noticeChanged = std::move(changed);
}

}  // namespace host

// The module's one exported symbol (the target hides the rest).
extern "C" Q_DECL_EXPORT host::ScreenSource* tintwell_portal_create_screen_source() {
  return host::PortalScreenSource::create().release();
}

#include "PortalScreenSource.moc"
