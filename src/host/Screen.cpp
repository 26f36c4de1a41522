#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "Twips.h"

namespace host {

namespace Screen {
namespace {
QScreen* primary() {
  return QGuiApplication::primaryScreen();
}
}  // namespace

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
}  // namespace Screen

QPoint QtScreenSource::cursorPos() const {
  return QCursor::pos();
}

ColorRef QtScreenSource::pixel(QPoint p) const {
  QScreen* screen = QGuiApplication::screenAt(p);
  if (screen == nullptr) return kInvalidColor;
  // grabWindow takes coordinates relative to that screen's own top-left corner.
  const QPoint local = p - screen->geometry().topLeft();
  const QImage img = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
  if (img.isNull() || img.width() < 1 || img.height() < 1) return kInvalidColor;
  return fromRgb24(img.pixel(0, 0) & 0xFFFFFFu);
}

std::optional<QRect> QtScreenSource::screenGeometryAt(QPoint p) const {
  const QScreen* screen = QGuiApplication::screenAt(p);
  if (screen == nullptr) return std::nullopt;
  return screen->geometry();
}

QImage QtScreenSource::grab(const QRect& r) const {
  // The usual case, a rectangle on one screen, is one grab with no compositing.
  if (QScreen* screen = QGuiApplication::screenAt(r.topLeft());
      screen != nullptr && screen->geometry().contains(r)) {
    const QPoint local = r.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, local.x(), local.y(), r.width(), r.height()).toImage();
  }
  QImage out(r.size(), QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter painter(&out);
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect part = r.intersected(screen->geometry());
    if (part.isEmpty()) continue;
    const QPoint local = part.topLeft() - screen->geometry().topLeft();
    const QPixmap pm = screen->grabWindow(0, local.x(), local.y(), part.width(), part.height());
    painter.drawPixmap(part.topLeft() - r.topLeft(), pm);
  }
  return out;
}

}  // namespace host
