#include "host/forms/MouseEvents.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include "host/core/InputCodes.h"

namespace host {

namespace {

int buttonBits(Qt::MouseButtons b) {
  return ((b & Qt::LeftButton) ? kLeftButton : 0) | ((b & Qt::RightButton) ? kRightButton : 0) |
         ((b & Qt::MiddleButton) ? kMiddleButton : 0);
}

class MouseForwarder : public QObject {
 public:
  MouseForwarder(QWidget& widget, MouseEvents& events, MouseForwarding mode)
      : QObject(&widget), m_widget(widget), m_events(events), m_mode(mode) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &m_widget) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress: {
        const auto& e = *static_cast<QMouseEvent*>(event);
        if (e.button() == Qt::LeftButton) m_leftDown = true;
        m_events.MouseDown.raise(mouseArgs(e, true));
        break;
      }
      case QEvent::MouseButtonDblClick:
        m_leftDown = false;  // the click was raised by the first release
        m_events.DblClick.raise();
        break;
      case QEvent::MouseMove:
        m_events.MouseMove.raise(mouseArgs(*static_cast<QMouseEvent*>(event), false));
        break;
      case QEvent::MouseButtonRelease: {
        const auto& e = *static_cast<QMouseEvent*>(event);
        m_events.MouseUp.raise(mouseArgs(e, true));
        const bool left = e.button() == Qt::LeftButton;
        const bool click = left && m_leftDown && m_widget.rect().contains(e.position().toPoint());
        if (left) m_leftDown = false;
        if (click) m_events.Click.raise();
        break;
      }
      default:
        return false;
    }
    if (m_mode == MouseForwarding::PassOn) return false;
    event->accept();
    return true;
  }

 private:
  QWidget& m_widget;
  MouseEvents& m_events;
  MouseForwarding m_mode;
  bool m_leftDown = false;
};

}  // namespace

int shiftBits(Qt::KeyboardModifiers m) {
  return ((m & Qt::ShiftModifier) ? kShiftMask : 0) | ((m & Qt::ControlModifier) ? kCtrlMask : 0) |
         ((m & Qt::AltModifier) ? kAltMask : 0);
}

MouseArgs mouseArgs(const QMouseEvent& e, bool buttonThatChanged) {
  MouseArgs a;
  a.Button = buttonBits(buttonThatChanged ? Qt::MouseButtons(e.button()) : e.buttons());
  a.Shift = shiftBits(e.modifiers());
  a.X = e.position().x();
  a.Y = e.position().y();
  return a;
}

int virtualKey(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return kKeyF1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Space:
      return kKeySpace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyReturn;
    case Qt::Key_Tab:
      return kKeyTab;
    case Qt::Key_Backspace:
      return kKeyBack;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Shift:
      return kKeyShift;
    case Qt::Key_Control:
      return kKeyControl;
    case Qt::Key_Alt:
      return kKeyMenu;
    default:
      break;
  }
  // Letters and digits are their upper-case ASCII codes.
  if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return k;
  return 0;
}

void forwardMouseEvents(QWidget& widget, MouseEvents& events, MouseForwarding mode) {
  widget.installEventFilter(new MouseForwarder(widget, events, mode));
}

}  // namespace host
