#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cmath>

#include "Twips.h"

namespace host {

namespace {

QScreen* primary() {
  return QGuiApplication::primaryScreen();
}

// A screen's geometry in physical pixels: its top-left corner is the display's, its size the
// device-independent one times the factor (the toolkit keeps only the rounded quotient, so an
// odd size at a fractional factor may come back one pixel off).
QRect physicalGeometry(const QScreen& s) {
  const QRect g = s.geometry();
  const double f = s.devicePixelRatio();
  return QRect(g.topLeft(), QSize(static_cast<int>(std::lround(g.width() * f)),
                                  static_cast<int>(std::lround(g.height() * f))));
}

QScreen* screenAtPhysical(QPoint p) {
  for (QScreen* s : QGuiApplication::screens()) {
    if (physicalGeometry(*s).contains(p)) return s;
  }
  return nullptr;
}

}  // namespace

namespace Screen {

double TwipsPerPixelX() {
  const QScreen* s = primary();
  return twipsPerPixelFor(s != nullptr ? s->logicalDotsPerInchX() : 96.0);
}
double TwipsPerPixelY() {
  const QScreen* s = primary();
  return twipsPerPixelFor(s != nullptr ? s->logicalDotsPerInchY() : 96.0);
}
int Width() {
  const QScreen* s = primary();
  return s != nullptr ? pixelsToTwips(s->geometry().width(), TwipsPerPixelX()) : 0;
}
int Height() {
  const QScreen* s = primary();
  return s != nullptr ? pixelsToTwips(s->geometry().height(), TwipsPerPixelY()) : 0;
}
int Left() {
  const QScreen* s = primary();
  return s != nullptr ? pixelsToTwips(s->geometry().left(), TwipsPerPixelX()) : 0;
}
int Top() {
  const QScreen* s = primary();
  return s != nullptr ? pixelsToTwips(s->geometry().top(), TwipsPerPixelY()) : 0;
}

QPoint toPhysical(QPoint p) {
  const QScreen* s = QGuiApplication::screenAt(p);
  if (s == nullptr) return p;
  const QPoint origin = s->geometry().topLeft();
  const double f = s->devicePixelRatio();
  return origin + QPoint(static_cast<int>(std::lround((p.x() - origin.x()) * f)),
                         static_cast<int>(std::lround((p.y() - origin.y()) * f)));
}

QRect toPhysical(const QRect& r) {
  const QScreen* s = QGuiApplication::screenAt(r.topLeft());
  if (s == nullptr) return r;
  const double f = s->devicePixelRatio();
  return QRect(toPhysical(r.topLeft()), QSize(static_cast<int>(std::lround(r.width() * f)),
                                              static_cast<int>(std::lround(r.height() * f))));
}

QPoint fromPhysical(QPoint p) {
  const QScreen* s = screenAtPhysical(p);
  if (s == nullptr) return p;
  const QPoint origin = s->geometry().topLeft();
  const double f = s->devicePixelRatio();
  return origin + QPoint(static_cast<int>(std::lround((p.x() - origin.x()) / f)),
                         static_cast<int>(std::lround((p.y() - origin.y()) / f)));
}

}  // namespace Screen

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

QPoint QtScreenSource::cursorPos() const {
  return Screen::toPhysical(QCursor::pos());
}

ColorRef QtScreenSource::pixel(QPoint p) const {
  QScreen* screen = screenAtPhysical(p);
  if (screen == nullptr) return kInvalidColor;
  const QImage img = grabPhysical(*screen, QRect(p - screen->geometry().topLeft(), QSize(1, 1)));
  if (img.isNull() || img.width() < 1 || img.height() < 1) return kInvalidColor;
  return fromRgb24(img.pixel(0, 0) & 0xFFFFFFu);
}

std::optional<QRect> QtScreenSource::screenGeometryAt(QPoint p) const {
  const QScreen* screen = screenAtPhysical(p);
  if (screen == nullptr) return std::nullopt;
  return physicalGeometry(*screen);
}

QRect QtScreenSource::primaryGeometry() const {
  const QScreen* s = primary();
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

QImage QtScreenSource::grab(const QRect& r) const {
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
