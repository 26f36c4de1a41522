#include "host/screen/PhysicalPixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace host {

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

}  // namespace host
