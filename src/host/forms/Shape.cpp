#include "host/forms/Shape.h"

#include <QPainter>

#include "host/draw/SystemColors.h"
#include "host/forms/Screen.h"

namespace host {

Shape::Shape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::place(const TwipsRect& r) {
  const double tx = Screen::TwipsPerPixelX();
  const double ty = Screen::TwipsPerPixelY();
  m_outline = QRect(twipsToPixels(r.left, tx), twipsToPixels(r.top, ty), twipsToPixels(r.width, tx),
                    twipsToPixels(r.height, ty));
  relayout();
}

int Shape::Width() const {
  return pixelsToTwips(m_outline.width(), Screen::TwipsPerPixelX());
}

void Shape::Width(int twips) {
  m_outline.setWidth(twipsToPixels(twips, Screen::TwipsPerPixelX()));
  relayout();
}

void Shape::relayout() {
  // A width-w border covers w pixels starting w / 2 outside the outline.
  const int out = m_borderVisible ? m_borderWidth / 2 : 0;
  setGeometry(m_outline.adjusted(-out, -out, out, out));
  update();
}

void Shape::BorderColor(ColorRef c) {
  m_borderColor = c;
  update();
}

void Shape::BorderWidth(int w) {
  m_borderWidth = std::max(w, 1);
  relayout();
}

void Shape::BorderVisible(bool on) {
  m_borderVisible = on;
  relayout();
}

void Shape::FillColor(ColorRef c) {
  m_fillColor = c;
  update();
}

void Shape::Filled(bool on) {
  m_filled = on;
  update();
}

void Shape::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  paintOnto(p);
}

void Shape::paintOnto(QPainter& p) const {
  const QRect all = rect();
  if (m_filled) p.fillRect(all, toQColor(m_fillColor));
  if (!m_borderVisible) return;
  const QColor c = toQColor(m_borderColor);
  const int w = std::min({m_borderWidth, all.width(), all.height()});
  p.fillRect(QRect(all.left(), all.top(), all.width(), w), c);
  p.fillRect(QRect(all.left(), all.bottom() - w + 1, all.width(), w), c);
  p.fillRect(QRect(all.left(), all.top(), w, all.height()), c);
  p.fillRect(QRect(all.right() - w + 1, all.top(), w, all.height()), c);
}

}  // namespace host
