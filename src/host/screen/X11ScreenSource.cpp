#include "host/screen/X11ScreenSource.h"

#include <QtGui/qguiapplication_platform.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/uio.h>
#include <xcb/damage.h>
#include <xcb/randr.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <xcb/xinput.h>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "host/screen/X11ReadAhead.h"

// Last: its macros (None, KeyPress, Bool ...) would rewrite names in the toolkit's headers.
#include <X11/Xlib.h>

namespace host {

namespace {
using Clock = std::chrono::steady_clock;

// The five requests of the DAMAGE and XInput extensions sent here are encoded here, with the
// layouts of the extensions' own headers, rather than through their client libraries: linked, the
// two would stay resident for the whole run (about 150 KB) for these five requests alone.
xcb_extension_t g_damage{"DAMAGE", 0};
xcb_extension_t g_input{"XInputExtension", 0};

// Sends `request` (its opcode and length filled in by the library), then `extra` bytes after it;
// both whole 32-bit units, as the extensions' layouts are. Returns the request's sequence number.
template <class Request>
unsigned int sendRequest(xcb_connection_t* c, xcb_extension_t& extension, std::uint8_t opcode,
                         bool replies, Request& request, const void* extra = nullptr,
                         std::size_t extraBytes = 0) {
  static_assert(sizeof(Request) % 4 == 0, "requests are whole 32-bit units");
  // The library uses the two parts before the first for its own header.
  iovec parts[4] = {};
  parts[2].iov_base = &request;
  parts[2].iov_len = sizeof(Request);
  parts[3].iov_base = const_cast<void*>(extra);
  parts[3].iov_len = extraBytes;
  const xcb_protocol_request_t how{extraBytes == 0 ? std::size_t{1} : std::size_t{2}, &extension,
                                   opcode, replies ? std::uint8_t{0} : std::uint8_t{1}};
  return xcb_send_request(c, replies ? XCB_REQUEST_CHECKED : 0, parts + 2, &how);
}

// The reply to request `sequence`, or null when the display answered with an error.
template <class Reply>
Reply* waitForReply(xcb_connection_t* c, unsigned int sequence) {
  xcb_generic_error_t* error = nullptr;
  auto* reply = static_cast<Reply*>(xcb_wait_for_reply(c, sequence, &error));
  std::free(error);
  return reply;
}
}  // namespace

// The reads go over a connection of their own, used only by the GUI thread: a reply on the
// toolkit's connection wakes its event-reader thread and hands over between threads, which cost
// more than the request itself at a hundred ticks a second. Nothing watches this connection's
// socket; what the display sends unasked (the drawing reports, errors of failed reads) is read
// with the next reply or poll, at the next tick.
struct X11ScreenSource::Impl {
  xcb_connection_t* c = nullptr;
  xcb_window_t root = 0;
  int rootWidth = 0;
  int rootHeight = 0;

  // The monitors (root pixels) and which is the primary one; reread after the display reports a
  // change of its layout (RandR: the screen, a CRTC or an output changed), which the next read
  // takes with the others.
  std::vector<QRect> monitors;
  std::size_t primary = 0;
  bool monitorsStale = true;
  bool randrMonitors = false;   // RandR 1.5: monitors can be asked for
  std::uint8_t randrEvent = 0;  // its first event (screen change; then CRTC and output changes)

  // The pointer's last position, the area read along with the last pointer query (still in the
  // shared segment) and the last grab and pixel: which of them the next read may use.
  X11ReadAhead reads;

  // The shared-memory segment, grown as larger grabs need it (bytes). Given up for good on this
  // connection after the first refusal: a display that cannot attach a segment (one on another
  // machine, or in another IPC namespace) will not attach the next one either.
  bool shm = false;
  xcb_shm_seg_t seg = 0;
  int shmId = -1;
  void* shmAddr = nullptr;
  std::size_t shmSize = 0;
  // The plain GetImage path's copy of the last image.
  QImage fallback;

  // The display's drawing reports (DAMAGE on the root window, its children included). One report
  // comes when the damaged area stops being empty; the next only after it is emptied again, so
  // at most one waits in the connection however long nobody reads (sampling off).
  xcb_damage_damage_t damage = 0;
  std::uint8_t damageEvent = 0;

  // A waiting wake request: raw pointer motion (XInput 2) is asked for only while one waits, and
  // the connection's socket is watched only then, so a moving pointer costs nothing otherwise.
  std::uint8_t inputOpcode = 0;  // 0: no XInput 2
  std::function<void()> wake;
  std::unique_ptr<QSocketNotifier> notifier;

  ~Impl() {
    wake = nullptr;
    notifier.reset();
    detach();
    if (c != nullptr) xcb_disconnect(c);
  }

  // Watches the root window's drawing; without the extension every read goes to the display.
  void watchDamage() {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &g_damage);
    if (ext == nullptr || !ext->present) return;
    xcb_damage_query_version_request_t ask{};
    ask.client_major_version = XCB_DAMAGE_MAJOR_VERSION;
    ask.client_minor_version = XCB_DAMAGE_MINOR_VERSION;
    auto* version = waitForReply<xcb_damage_query_version_reply_t>(
        c, sendRequest(c, g_damage, XCB_DAMAGE_QUERY_VERSION, true, ask));
    if (version == nullptr) return;
    std::free(version);
    damage = xcb_generate_id(c);
    damageEvent = static_cast<std::uint8_t>(ext->first_event + XCB_DAMAGE_NOTIFY);
    xcb_damage_create_request_t create{};
    create.damage = damage;
    create.drawable = root;
    create.level = XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY;
    sendRequest(c, g_damage, XCB_DAMAGE_CREATE, false, create);
    xcb_flush(c);
    // Raw motion, for resting callers: XInput 2.0 or later.
    const xcb_query_extension_reply_t* input = xcb_get_extension_data(c, &g_input);
    if (input == nullptr || !input->present) return;
    xcb_input_xi_query_version_request_t askInput{};
    askInput.major_version = 2;
    askInput.minor_version = 0;
    auto* xi = waitForReply<xcb_input_xi_query_version_reply_t>(
        c, sendRequest(c, g_input, XCB_INPUT_XI_QUERY_VERSION, true, askInput));
    if (xi != nullptr && xi->major_version >= 2) inputOpcode = input->major_opcode;
    std::free(xi);
  }

  // Asks the display for its monitors and to be told when they change (RandR 1.5). Without the
  // extension the root window is the one monitor. Monitors a user defines by hand (xrandr
  // --setmonitor) come without a report: they are seen from the next change of the outputs on.
  void watchLayout() {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_randr_id);
    if (ext == nullptr || !ext->present) return;
    xcb_randr_query_version_reply_t* version =
        xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr);
    if (version == nullptr) return;
    randrMonitors =
        version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 5);
    std::free(version);
    randrEvent = ext->first_event;
    xcb_randr_select_input(c, root,
                           XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                               XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE);
    xcb_flush(c);
  }

  // Rereads the monitors if the layout changed since: one round trip, only then.
  void refreshMonitors() {
    if (!monitorsStale) return;
    monitorsStale = false;
    monitors.clear();
    primary = 0;
    if (randrMonitors) {
      if (xcb_randr_get_monitors_reply_t* reply =
              xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr)) {
        for (auto it = xcb_randr_get_monitors_monitors_iterator(reply); it.rem > 0;
             xcb_randr_monitor_info_next(&it)) {
          const QRect r(it.data->x, it.data->y, it.data->width, it.data->height);
          if (r.isEmpty()) continue;
          if (it.data->primary != 0) primary = monitors.size();
          monitors.push_back(r);
        }
        std::free(reply);
      }
    }
    if (monitors.empty()) monitors.push_back(QRect(0, 0, rootWidth, rootHeight));
  }

  // Reads what the display sent unasked. A drawing report makes every kept read stale and
  // empties the damaged area, so the next drawing is reported again; the reads that follow are
  // answered after the emptying, so they see everything drawn before it. Raw motion or a drawing
  // answers a waiting wake request.
  // Between ticks only what an answer brought along is looked at (the library reads every event
  // that came before an answer together with it, and each tick waits for at least one answer),
  // which costs no system call; a read of the connection itself, which costs one whether or not
  // anything came, is left to the wake's watch of the connection and to the moment before it
  // starts watching.
  enum class Reading { Queued, Connection };
  bool takeReports(Reading reading = Reading::Queued) {
    if (damage == 0 && randrEvent == 0) return false;
    bool drawn = false;
    bool moved = false;
    const auto next = [&] {
      return reading == Reading::Connection ? xcb_poll_for_event(c) : xcb_poll_for_queued_event(c);
    };
    while (xcb_generic_event_t* event = next()) {
      const std::uint8_t type = event->response_type & 0x7F;
      if (randrEvent != 0 && type == randrEvent + XCB_RANDR_SCREEN_CHANGE_NOTIFY) {
        const auto* change = reinterpret_cast<const xcb_randr_screen_change_notify_event_t*>(event);
        if (change->root == root) {
          rootWidth = change->width;
          rootHeight = change->height;
          monitorsStale = true;
        }
      } else if (randrEvent != 0 && type == randrEvent + XCB_RANDR_NOTIFY) {
        monitorsStale = true;  // a monitor switched on or off, moved or changed its mode
      }
      drawn = drawn || (damage != 0 && type == damageEvent);
      moved = moved ||
              (type == XCB_GE_GENERIC && inputOpcode != 0 &&
               reinterpret_cast<const xcb_ge_generic_event_t*>(event)->extension == inputOpcode);
      std::free(event);  // an error of a failed read was already answered with nothing
    }
    if (drawn) {
      reads.drawn();
      xcb_damage_subtract_request_t subtract{};
      subtract.damage = damage;  // the whole area, none of it kept as repaired
      sendRequest(c, g_damage, XCB_DAMAGE_SUBTRACT, false, subtract);
    }
    if (drawn || moved) answerWake();
    return drawn || moved;
  }

  // Asks for raw motion of every pointer, or stops asking.
  void selectMotion(bool on) {
    struct {
      xcb_input_event_mask_t head;
      std::uint32_t mask;
    } select{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
             on ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_MOTION} : 0u};
    xcb_input_xi_select_events_request_t request{};
    request.window = root;
    request.num_mask = 1;
    sendRequest(c, g_input, XCB_INPUT_XI_SELECT_EVENTS, false, request, &select, sizeof select);
    xcb_flush(c);
  }

  void answerWake() {
    if (!wake) return;
    const std::function<void()> call = std::exchange(wake, nullptr);
    notifier->setEnabled(false);
    selectMotion(false);
    call();
  }

  void detach() {
    if (shmAddr == nullptr) return;
    xcb_shm_detach(c, seg);
    xcb_flush(c);
    shmdt(shmAddr);
    shmAddr = nullptr;
    shmSize = 0;
  }

  // A segment of at least `bytes`; false when the system or the display refuses one, and from
  // then on (the plain path).
  bool ensureSegment(std::size_t bytes) {
    if (shmAddr != nullptr && shmSize >= bytes) return true;
    detach();
    const std::size_t size = std::max<std::size_t>(bytes, std::size_t{64} * 1024);
    shmId = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (shmId < 0) return giveUpShm("the system gives no segment");
    shmAddr = shmat(shmId, nullptr, 0);
    // Marked for removal at once: it goes when both sides have detached, even after a crash.
    shmctl(shmId, IPC_RMID, nullptr);
    if (reinterpret_cast<std::intptr_t>(shmAddr) == -1) {
      shmAddr = nullptr;
      return giveUpShm("the system gives no segment");
    }
    seg = xcb_generate_id(c);
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_shm_attach_checked(c, seg, static_cast<std::uint32_t>(shmId), 0));
    if (error != nullptr) {
      std::free(error);
      shmdt(shmAddr);
      shmAddr = nullptr;
      return giveUpShm("the display cannot attach it");
    }
    shmSize = size;
    return true;
  }

  bool giveUpShm(const char* why) {
    shm = false;
    qInfo("tintwell: reading the screen without shared memory (%s)", why);
    return false;
  }

  // Asks for `r` (on the root window) into the shared segment; the reply is awaited by the caller.
  std::optional<xcb_shm_get_image_cookie_t> askShm(const QRect& r) {
    if (!shm || !ensureSegment(std::size_t(r.width()) * std::size_t(r.height()) * 4))
      return std::nullopt;
    return xcb_shm_get_image(
        c, root, static_cast<std::int16_t>(r.x()), static_cast<std::int16_t>(r.y()),
        static_cast<std::uint16_t>(r.width()), static_cast<std::uint16_t>(r.height()), ~0u,
        XCB_IMAGE_FORMAT_Z_PIXMAP, seg, 0);
  }

  // The part of `r` on the root window, in the display's pixels; null where nothing is.
  QImage read(const QRect& r) {
    const QRect onRoot = r.intersected(QRect(0, 0, rootWidth, rootHeight));
    if (onRoot.isEmpty()) return {};
    const auto w = static_cast<std::uint16_t>(onRoot.width());
    const auto h = static_cast<std::uint16_t>(onRoot.height());
    const auto x = static_cast<std::int16_t>(onRoot.x());
    const auto y = static_cast<std::int16_t>(onRoot.y());
    const std::size_t bytes = std::size_t{w} * h * 4;
    reads.segmentOverwritten();
    if (const auto cookie = askShm(onRoot)) {
      xcb_shm_get_image_reply_t* reply = xcb_shm_get_image_reply(c, *cookie, nullptr);
      if (reply == nullptr) return {};
      std::free(reply);
      return QImage(static_cast<const uchar*>(shmAddr), w, h, qsizetype{w} * 4,
                    QImage::Format_RGB32);
    }
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, x, y, w, h, ~0u), nullptr);
    if (reply == nullptr) return {};
    const int length = xcb_get_image_data_length(reply);
    if (static_cast<std::size_t>(length) >= bytes) {
      fallback = QImage(w, h, QImage::Format_RGB32);
      std::memcpy(fallback.bits(), xcb_get_image_data(reply), bytes);
    } else {
      fallback = QImage();
    }
    std::free(reply);
    return fallback;
  }
};

X11ScreenSource::X11ScreenSource(std::unique_ptr<Impl> impl) : m(std::move(impl)) {}
X11ScreenSource::~X11ScreenSource() = default;

std::unique_ptr<X11ScreenSource> X11ScreenSource::create() {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return nullptr;
  // The display the toolkit opened, by the name it opened it with (from -display or $DISPLAY).
  Display* display = x11->display();
  return open(display != nullptr ? XDisplayString(display) : nullptr);
}

std::unique_ptr<X11ScreenSource> X11ScreenSource::open(const char* displayName) {
  auto impl = std::make_unique<Impl>();
  int screenNumber = 0;
  impl->c = xcb_connect(displayName, &screenNumber);
  if (xcb_connection_has_error(impl->c) != 0) return nullptr;
  const xcb_setup_t* setup = xcb_get_setup(impl->c);
  auto roots = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screenNumber && roots.rem > 0; ++i)
    xcb_screen_next(&roots);
  const xcb_screen_t* screen = roots.rem > 0 ? roots.data : nullptr;
  if (screen == nullptr || screen->root_depth != 24) return nullptr;
  // Images of depth 24 must come as 32 bits a pixel, least significant byte first: BGRX.
  bool bgrx = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
  bool found = false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
    if (f.data->depth == 24) {
      found = true;
      bgrx = bgrx && f.data->bits_per_pixel == 32;
    }
  }
  if (!found || !bgrx) return nullptr;
  impl->root = screen->root;
  impl->rootWidth = screen->width_in_pixels;
  impl->rootHeight = screen->height_in_pixels;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(impl->c, &xcb_shm_id);
  impl->shm = ext != nullptr && ext->present;
  impl->watchLayout();
  impl->watchDamage();
  impl->reads = X11ReadAhead(impl->damage != 0);
  return std::unique_ptr<X11ScreenSource>(new X11ScreenSource(std::move(impl)));
}

bool X11ScreenSource::sharedMemory() const {
  return m->shm;
}

std::uint64_t X11ScreenSource::grabsReadAhead() const {
  return m->reads.grabsCut();
}

QPoint X11ScreenSource::cursorPos() {
  if (const std::optional<QPoint> recent = m->reads.recentPointer(Clock::now())) return *recent;
  return queryPointer();
}

QPoint X11ScreenSource::queryPointer() {
  // Reports that came since the last read first: the read ahead then starts from an emptied
  // damaged area (the magnifier's own last repaint is one), and stays good beyond this turn.
  m->takeReports();
  const xcb_query_pointer_cookie_t pointerCookie = xcb_query_pointer(m->c, m->root);
  // A grab is about to follow a moving pointer (or one whose area was drawn on): read ahead.
  const Clock::time_point now = Clock::now();
  const QRect ahead = m->reads.areaToReadAhead(now, QRect(0, 0, m->rootWidth, m->rootHeight));
  std::optional<xcb_shm_get_image_cookie_t> aheadCookie;
  if (!ahead.isEmpty()) aheadCookie = m->askShm(ahead);
  std::optional<QPoint> at;
  if (xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(m->c, pointerCookie, nullptr)) {
    at = QPoint(reply->root_x, reply->root_y);
    std::free(reply);
  }
  QRect readAlong;
  if (aheadCookie) {
    if (xcb_shm_get_image_reply_t* image = xcb_shm_get_image_reply(m->c, *aheadCookie, nullptr)) {
      std::free(image);
      readAlong = ahead;
    }
  }
  const bool moved = m->reads.pointerQueried(now, at, readAlong);
  // A warp moves the pointer without raw motion; what this reply brought along is looked at too.
  if (m->wake) {
    if (moved) m->answerWake();
    m->takeReports();
  }
  return m->reads.pointer();
}

bool X11ScreenSource::wakeOnActivity(std::function<void()> wake) {
  if (!wake) {
    if (m->wake) {
      m->wake = nullptr;
      m->notifier->setEnabled(false);
      m->selectMotion(false);
    }
    return false;
  }
  if (m->damage == 0 || m->inputOpcode == 0) return false;
  m->wake = nullptr;
  // something already happened: the caller polls on
  if (m->takeReports(Impl::Reading::Connection)) return false;
  if (!m->notifier) {
    m->notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m->c), QSocketNotifier::Read);
    QObject::connect(m->notifier.get(), &QSocketNotifier::activated, m->notifier.get(), [this] {
      // A broken connection reads as always ready: stop watching it.
      if (xcb_connection_has_error(m->c) != 0) {
        m->notifier->setEnabled(false);
        return;
      }
      m->takeReports(Impl::Reading::Connection);
    });
  }
  m->wake = std::move(wake);
  m->selectMotion(true);
  m->notifier->setEnabled(true);
  return true;
}

ColorRef X11ScreenSource::pixel(QPoint p) {
  if (!screenGeometryAt(p)) return kInvalidColor;
  m->takeReports();
  if (const std::optional<ColorRef> kept = m->reads.keptPixel(p)) return *kept;
  const QImage image = m->read(QRect(p, QSize(1, 1)));
  if (image.isNull()) return m->reads.keepPixel(p, std::nullopt);
  return m->reads.keepPixel(p, fromRgb24(image.pixel(0, 0) & 0xFFFFFFu));
}

QImage X11ScreenSource::grab(const QRect& r) {
  m->takeReports();
  const Clock::time_point now = Clock::now();
  if (const QImage* kept = m->reads.keptGrab(r, now)) return *kept;
  if (const std::optional<QRect> ahead = m->reads.readAheadHolding(r, now)) {
    // Read with this turn's pointer query: cut from the shared segment (rows of the area's width).
    const QPoint at = r.topLeft() - ahead->topLeft();
    const QImage part(
        static_cast<const uchar*>(m->shmAddr) + (qsizetype{at.y()} * ahead->width() + at.x()) * 4,
        r.width(), r.height(), qsizetype{ahead->width()} * 4, QImage::Format_RGB32);
    return m->reads.keepGrab(r, now, part, true);
  }
  return m->reads.keepGrab(r, now, readAt(r), false);
}

QImage X11ScreenSource::readAt(const QRect& r) {
  QImage part = m->read(r);
  const QRect onRoot = r.intersected(QRect(0, 0, m->rootWidth, m->rootHeight));
  if (!part.isNull() && onRoot == r) return part;
  // Partly off the display: black around what could be read.
  QImage out(r.size(), QImage::Format_RGB32);
  out.fill(Qt::black);
  if (!part.isNull()) {
    const QPoint at = onRoot.topLeft() - r.topLeft();
    for (int y = 0; y < part.height(); ++y) {
      std::memcpy(out.scanLine(at.y() + y) + qsizetype{at.x()} * 4, part.constScanLine(y),
                  static_cast<std::size_t>(part.width()) * 4);
    }
  }
  return out;
}

std::optional<QRect> X11ScreenSource::screenGeometryAt(QPoint p) {
  m->refreshMonitors();
  for (const QRect& monitor : m->monitors) {
    if (monitor.contains(p)) return monitor;
  }
  return std::nullopt;
}

QRect X11ScreenSource::primaryGeometry() {
  m->refreshMonitors();
  return m->monitors[m->primary];
}

bool X11ScreenSource::movePointerBy(QPoint delta) {
  if (delta.isNull()) return true;
  // With neither window given, the server moves the pointer by the offsets from where it is,
  // clamped to the screen; as a mouse would, with no window of ours involved.
  xcb_warp_pointer(m->c, XCB_NONE, XCB_NONE, 0, 0, 0, 0,
                   static_cast<std::int16_t>(std::clamp(delta.x(), -32768, 32767)),
                   static_cast<std::int16_t>(std::clamp(delta.y(), -32768, 32767)));
  xcb_flush(m->c);
  // The position reused for the next 2 ms is out of date: ask again. The pointer stays known, so
  // that query sees a move and wakes a resting caller.
  m->reads.pointerWarped();
  return true;
}

}  // namespace host
