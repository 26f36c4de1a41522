#include "host/forms/Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "host/core/Twips.h"

namespace host {

namespace {

QScreen* primary() {
  return QGuiApplication::primaryScreen();
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

}  // namespace Screen

}  // namespace host
