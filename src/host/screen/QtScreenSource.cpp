#include "host/screen/QtScreenSource.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cmath>

#include "host/screen/PhysicalPixels.h"

namespace host {

namespace {

// The physical pixels `r` of screen `s` (relative to its top-left corner), read through the
// toolkit, which takes device-independent coordinates and multiplies them by the factor: ask for
// the device-independent area that covers `r`, and cut `r` out of the physical pixels that come
// back. Black where nothing came back.
QImage grabPhysical(QScreen& s, const QRect& r) {
  const double f = s.devicePixelRatio();
  if (f == 1.0) return s.grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
  const int x = static_cast<int>(std::floor(r.x() / f));
  const int y = static_cast<int>(std::floor(r.y() / f));
  const int w = static_cast<int>(std::ceil((r.x() + r.width()) / f)) - x + 1;
  const int h = static_cast<int>(std::ceil((r.y() + r.height()) / f)) - y + 1;
  const QImage got = s.grabWindow(0, x, y, w, h).toImage().convertToFormat(QImage::Format_RGB32);
  // Where the toolkit starts the physical area: each coordinate times the factor, rounded.
  const QPoint start(static_cast<int>(std::lround(x * f)), static_cast<int>(std::lround(y * f)));
  QImage out(r.size(), QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter painter(&out);
  QImage unscaled = got;
  unscaled.setDevicePixelRatio(1.0);
  painter.drawImage(start - r.topLeft(), unscaled);
  return out;
}

}  // namespace

QPoint QtScreenSource::cursorPos() {
  return toPhysical(QCursor::pos());
}

ColorRef QtScreenSource::pixel(QPoint p) {
  QScreen* screen = screenAtPhysical(p);
  if (screen == nullptr) return kInvalidColor;
  const QImage img = grabPhysical(*screen, QRect(p - screen->geometry().topLeft(), QSize(1, 1)));
  if (img.isNull() || img.width() < 1 || img.height() < 1) return kInvalidColor;
  return fromRgb24(img.pixel(0, 0) & 0xFFFFFFu);
}

std::optional<QRect> QtScreenSource::screenGeometryAt(QPoint p) {
  const QScreen* screen = screenAtPhysical(p);
  if (screen == nullptr) return std::nullopt;
  return physicalGeometry(*screen);
}

QRect QtScreenSource::primaryGeometry() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? physicalGeometry(*s) : QRect();
}

bool QtScreenSource::movePointerBy(QPoint delta) {
  // The toolkit places the pointer in device-independent pixels: exact only at factor 1.
  const QPoint at = QCursor::pos();
  const QScreen* s = QGuiApplication::screenAt(at);
  if (s == nullptr || s->devicePixelRatio() != 1.0) return false;
  QCursor::setPos(at + delta);
  return true;
}

QImage QtScreenSource::grab(const QRect& r) {
  // The usual case, a rectangle on one screen, is one grab with no compositing.
  if (QScreen* screen = screenAtPhysical(r.topLeft());
      screen != nullptr && physicalGeometry(*screen).contains(r)) {
    return grabPhysical(*screen, r.translated(-screen->geometry().topLeft()));
  }
  QImage out(r.size(), QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter painter(&out);
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect part = r.intersected(physicalGeometry(*screen));
    if (part.isEmpty()) continue;
    const QImage img = grabPhysical(*screen, part.translated(-screen->geometry().topLeft()));
    painter.drawImage(part.topLeft() - r.topLeft(), img);
  }
  return out;
}

}  // namespace host
