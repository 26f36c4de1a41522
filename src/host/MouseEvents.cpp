#include "MouseEvents.h"

#include <QMouseEvent>

#include "Forms.h"

namespace host {

namespace {
int buttonBits(Qt::MouseButtons b) {
  return ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) |
         ((b & Qt::MiddleButton) ? 4 : 0);
}
}  // namespace

int shiftBits(Qt::KeyboardModifiers m) {
  return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
         ((m & Qt::AltModifier) ? 4 : 0);
}

MouseArgs mouseArgs(const QMouseEvent& e, bool buttonThatChanged) {
  MouseArgs a;
  a.Button = buttonBits(buttonThatChanged ? Qt::MouseButtons(e.button()) : e.buttons());
  a.Shift = shiftBits(e.modifiers());
  a.X = e.position().x();
  a.Y = e.position().y();
  return a;
}

void MouseEventSource::pressed(const QMouseEvent& e) {
  if (e.button() == Qt::LeftButton) m_leftDown = true;
  if (m_down) runEventHandler("MouseDown", [&] { m_down(mouseArgs(e, true)); });
}

void MouseEventSource::moved(const QMouseEvent& e) {
  if (m_move) runEventHandler("MouseMove", [&] { m_move(mouseArgs(e, false)); });
}

void MouseEventSource::released(const QMouseEvent& e, bool inside) {
  if (m_up) runEventHandler("MouseUp", [&] { m_up(mouseArgs(e, true)); });
  const bool click = e.button() == Qt::LeftButton && m_leftDown && inside;
  if (e.button() == Qt::LeftButton) m_leftDown = false;
  if (click && m_click) runEventHandler("Click", m_click);
}

}  // namespace host
