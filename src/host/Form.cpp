#include "Form.h"

#include <QPainter>
#include <QResizeEvent>

#include "Forms.h"
#include "Screen.h"
#include "SystemColors.h"
#include "Twips.h"

namespace host {

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int Form::Left() const {
  return pixelsToTwips(x(), Screen::TwipsPerPixelX());
}
int Form::Top() const {
  return pixelsToTwips(y(), Screen::TwipsPerPixelY());
}
int Form::Width() const {
  return pixelsToTwips(width(), Screen::TwipsPerPixelX());
}
int Form::Height() const {
  return pixelsToTwips(height(), Screen::TwipsPerPixelY());
}

void Form::Left(int twips) {
  move(twipsToPixels(twips, Screen::TwipsPerPixelX()), y());
}
void Form::Top(int twips) {
  move(x(), twipsToPixels(twips, Screen::TwipsPerPixelY()));
}
void Form::Width(int twips) {
  resize(twipsToPixels(twips, Screen::TwipsPerPixelX()), height());
}
void Form::Height(int twips) {
  resize(width(), twipsToPixels(twips, Screen::TwipsPerPixelY()));
}

void Form::Move(int left, int top) {
  move(twipsToPixels(left, Screen::TwipsPerPixelX()), twipsToPixels(top, Screen::TwipsPerPixelY()));
}

double Form::ScaleWidth() const {
  return width() * Screen::TwipsPerPixelX();
}
double Form::ScaleHeight() const {
  return height() * Screen::TwipsPerPixelY();
}

void Form::BackColor(ColorRef color) {
  if (color == m_backColor) return;
  m_backColor = color;
  Cls();
}

void Form::Cls() {
  resizeBuffer();
  m_buffer.fill(toQColor(m_backColor));
  update();
}

void Form::resizeBuffer() const {
  if (m_buffer.size() == size()) return;
  // Growing keeps what was drawn and shows the background color in the new part.
  QImage next(size(), QImage::Format_RGB32);
  next.fill(toQColor(m_backColor));
  if (!m_buffer.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, m_buffer);
  }
  m_buffer = std::move(next);
}

const QImage& Form::buffer() const {
  resizeBuffer();
  return m_buffer;
}

Canvas Form::canvas() {
  resizeBuffer();
  return Canvas(m_buffer);
}

void Form::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  resizeBuffer();
}

void Form::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (m_loaded) return;
  m_loaded = true;
  runEventHandler("Form_Load", [this] { Form_Load(); });
}

void Form::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.drawImage(event->rect(), buffer(), event->rect());
}

}  // namespace host
