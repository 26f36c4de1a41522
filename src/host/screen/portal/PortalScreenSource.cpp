#include "host/screen/portal/PortalScreenSource.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <optional>

#include "host/screen/PhysicalPixels.h"
#include "host/screen/PortalModule.h"
#include "host/screen/QtScreenSource.h"
#include "host/screen/portal/PortalSession.h"
#include "host/screen/portal/PortalStream.h"
#include "host/screen/portal/VirtualPointer.h"

namespace host {

struct PortalScreenSource::Impl {
  std::function<void(const QString&)> noticeChanged;
  QString notice;
  bool gaveUp = false;
  // The pointer given to the tests where the desktop's portal shares none, in the desktop's
  // logical pixels (where the test moved it).
  std::optional<QPoint> testPointer;
  PortalStream stream{[this](const QString& text) { setNotice(text); }};
  std::unique_ptr<PortalSession> session;
  // The reused grab image.
  QImage grabImage;
  // The arrow keys' pointer, made on the first press.
  std::unique_ptr<VirtualPointer> keysPointer;

  void setNotice(const QString& text) {
    if (text == notice) return;
    notice = text;
    if (noticeChanged) noticeChanged(notice);
  }
};

PortalScreenSource::PortalScreenSource() : m(std::make_unique<Impl>()) {}

PortalScreenSource::~PortalScreenSource() {
  m->noticeChanged = nullptr;
  m->stream.stop();
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
  m.session = std::make_unique<PortalSession>(
      [&m](const QString& why) {
        m.gaveUp = true;
        m.setNotice(why);
      },
      [&m](const SharedMonitor& shared) {
        m.stream.start(shared.fd, shared.node, shared.position, shared.size, shared.cursorMetadata);
      });
  m.setNotice(QStringLiteral("Wayland: waiting for the desktop to share it."));
  m.session->start();
  return source;
}

QPoint PortalScreenSource::cursorPos() {
  std::optional<QPoint> logical = m->testPointer;
  const PortalStream::Pointer pointer = m->stream.pointer();
  if (!logical && pointer.at) return *pointer.at;
  const portal::StreamPlacement& s = pointer.placement;
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
  return m->stream.pixel(p);
}

QImage PortalScreenSource::grab(const QRect& r) {
  if (r.isEmpty()) return {};
  // Reused while the size stays: a moving pointer allocates nothing.
  if (m->grabImage.size() != r.size() || m->grabImage.isNull())
    m->grabImage = QImage(r.size(), QImage::Format_RGB32);
  QImage& out = m->grabImage;
  m->stream.copyBlock(r, reinterpret_cast<std::uint32_t*>(out.bits()),
                      static_cast<int>(out.bytesPerLine() / 4));
  return out;
}

std::optional<QRect> PortalScreenSource::screenGeometryAt(QPoint p) {
  // The shared monitor: its frames' size from its corner. On a scaled desktop the physical
  // extents of neighbouring outputs may overlap it; the shared one, the only one read, wins.
  const portal::StreamPlacement s = m->stream.placement();
  if (const QRect shared(s.x, s.y, s.frameWidth, s.frameHeight);
      !shared.isEmpty() && shared.contains(p)) {
    return shared;
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
  const portal::StreamPlacement s = m->stream.placement();
  if (s.width > 0 && s.height > 0 && s.frameWidth > 0 && s.frameHeight > 0) {
    perLogicalX = static_cast<double>(s.frameWidth) / s.width;
    perLogicalY = static_cast<double>(s.frameHeight) / s.height;
  }
  if (!m->keysPointer) m->keysPointer = std::make_unique<VirtualPointer>();
  return m->keysPointer->moveBy(delta.x() / perLogicalX, delta.y() / perLogicalY);
}

bool PortalScreenSource::wakeOnActivity(std::function<void()> wake) {
  // The test's pointer is not the stream's: the caller goes on polling.
  if (m->testPointer) wake = nullptr;
  return m->stream.wakeOnActivity(std::move(wake));
}

QString PortalScreenSource::notice() const {
  return m->notice;
}

bool PortalScreenSource::gaveUp() const {
  return m->gaveUp;
}

void PortalScreenSource::onNoticeChanged(std::function<void(const QString&)> changed) {
  m->noticeChanged = std::move(changed);
}

}  // namespace host

// The module's one exported symbol (the target hides the rest).
extern "C" Q_DECL_EXPORT host::ScreenSource* tintwell_portal_create_screen_source() {
  return host::PortalScreenSource::create().release();
}
