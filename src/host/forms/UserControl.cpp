#include "host/forms/UserControl.h"

#include <QCursor>
#include <QPixmap>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "host/draw/Fonts.h"

namespace host {

UserControl::UserControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Raised first; the widget's own handlers still run (a control may override them), and by
  // default they take the event so that nothing reaches the window beneath.
  forwardMouseEvents(*this, Input, MouseForwarding::PassOn);
}

void UserControl::mousePressEvent(QMouseEvent* event) {
  event->accept();
}
void UserControl::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
}
void UserControl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}
void UserControl::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
}

void UserControl::keyPressEvent(QKeyEvent* event) {
  int keyCode = virtualKey(*event);
  if (keyCode == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  Input.KeyDown.raise(keyCode, shiftBits(event->modifiers()));
}

void UserControl::keyReleaseEvent(QKeyEvent* event) {
  int keyCode = virtualKey(*event);
  if (keyCode == 0 || event->isAutoRepeat()) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  Input.KeyUp.raise(keyCode, shiftBits(event->modifiers()));
}

void UserControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  Input.EnterFocus.raise();
}

void UserControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  Input.ExitFocus.raise();
}

QFont UserControl::AmbientFont() const {
  return parentWidget() != nullptr ? parentWidget()->font() : font();
}

void UserControl::load(const PropertyBag* bag) {
  if (bag != nullptr) {
    ReadProperties(*bag);
  } else {
    InitProperties();
  }
}

void UserControl::MousePointer(int value, const QImage& icon) {
  m_mousePointer = value;
  if (value != kCustomPointer) {
    setCursor(Qt::ArrowCursor);
  } else if (icon.isNull()) {
    setCursor(Qt::PointingHandCursor);
  } else {
    setCursor(QCursor(QPixmap::fromImage(icon)));
  }
}

void UserControl::growBuffer() const {
  growSurface(m_buffer, size(), Qt::black);
}

Canvas UserControl::canvas() {
  growBuffer();
  return Canvas(m_buffer);
}

const QImage& UserControl::buffer() const {
  growBuffer();
  return m_buffer;
}

void UserControl::SetWindowRgn(const std::optional<Region>& region) {
  if (region) {
    setMask(region->toQRegion());
  } else {
    clearMask();
  }
}

void UserControl::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.drawImage(event->rect(), buffer(), event->rect());
}

QFont toQFont(const FontValue& f) {
  QFont font = designFont(f.name, f.size, f.bold);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikethrough);
  return font;
}

FontValue fromQFont(const QFont& f) {
  FontValue v;
  v.name = f.family();
  v.size = f.pointSizeF();
  v.bold = f.bold();
  v.italic = f.italic();
  v.underline = f.underline();
  v.strikethrough = f.strikeOut();
  return v;
}

}  // namespace host
