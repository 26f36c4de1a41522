#include "host/forms/Control.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

#include "host/forms/Screen.h"

namespace host {

void placeTwips(QWidget& widget, const TwipsRect& r) {
  const double tx = Screen::TwipsPerPixelX();
  const double ty = Screen::TwipsPerPixelY();
  widget.setGeometry(twipsToPixels(r.left, tx), twipsToPixels(r.top, ty),
                     twipsToPixels(r.width, tx), twipsToPixels(r.height, ty));
}

TwipsRect geometryTwips(const QWidget& widget) {
  const double tx = Screen::TwipsPerPixelX();
  const double ty = Screen::TwipsPerPixelY();
  const QRect g = widget.geometry();
  return TwipsRect{pixelsToTwips(g.x(), tx), pixelsToTwips(g.y(), ty), pixelsToTwips(g.width(), tx),
                   pixelsToTwips(g.height(), ty)};
}

void setLeftTwips(QWidget& widget, int twips) {
  widget.move(twipsToPixels(twips, Screen::TwipsPerPixelX()), widget.y());
}

void setWidthTwips(QWidget& widget, int twips) {
  widget.resize(twipsToPixels(twips, Screen::TwipsPerPixelX()), widget.height());
}

int bevelWidth(Bevel kind) {
  return kind == Bevel::Box ? 2 : 1;
}

void drawSunkenBorder(QPainter& p, const QRect& outer, Bevel kind) {
  // Pixel-exact edges: lines along the outer rectangle, shadow top-left, light bottom-right.
  // Where the painter maps pixels one to one (moved by whole pixels at most), one-pixel
  // rectangles cover exactly the lines' pixels at a fraction of the cost (the bar graphs repaint
  // their borders ten times a second); scaled, the lines themselves.
  const QTransform device = p.deviceTransform();
  const bool oneToOne = device.type() <= QTransform::TxTranslate &&
                        device.dx() == std::floor(device.dx()) &&
                        device.dy() == std::floor(device.dy());
  auto edge = [&p, oneToOne](const QRect& r, const QColor& dark, const QColor& light) {
    if (oneToOne && r.width() >= 2 && r.height() >= 2) {
      p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), dark);
      p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), dark);
      p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), light);
      p.fillRect(QRect(r.right(), r.top(), 1, r.height()), light);
      return;
    }
    p.setPen(dark);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(light);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
  };
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  edge(outer, QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF));
  if (kind == Bevel::Box) {
    edge(outer.adjusted(1, 1, -1, -1), QColor(0x40, 0x40, 0x40), QColor(0xD4, 0xD0, 0xC8));
  }
  p.restore();
}

}  // namespace host
