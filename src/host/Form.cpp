#include "Form.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "Convert.h"
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

void Form::Move(double left, double top, double width, double height) {
  const double tx = Screen::TwipsPerPixelX();
  const double ty = Screen::TwipsPerPixelY();
  setGeometry(roundHalfEven(left / tx), roundHalfEven(top / ty), roundHalfEven(width / tx),
              roundHalfEven(height / ty));
}

void Form::Load() {
  if (m_loaded) return;
  m_loaded = true;
  runEventHandler("Form_Load", [this] { Form_Load(); });
}

void Form::Show() {
  Load();
  show();
}

void Form::SetWindowRgn(const Region& region) {
  m_region = region;
  setMask(region.toQRegion());
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
  // The surface only grows: shrinking the window (an animation, a narrower layout) must not
  // lose what was drawn, as the runtime's persistent bitmap does not.
  if (m_buffer.width() >= width() && m_buffer.height() >= height()) return;
  QImage next(std::max(width(), m_buffer.width()), std::max(height(), m_buffer.height()),
              QImage::Format_RGB32);
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
  Load();
}

void Form::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.drawImage(event->rect(), buffer(), event->rect());
}

}  // namespace host
