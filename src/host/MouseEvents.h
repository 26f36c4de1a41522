#pragma once

#include <Qt>
#include <functional>

class QMouseEvent;
class QWidget;

namespace host {

// The runtime's mouse event arguments: Button and Shift are bit masks (1 left, 2 right,
// 4 middle; 1 Shift, 2 Ctrl, 4 Alt), X and Y are in the control's pixels.
struct MouseArgs {
  int Button = 0;
  int Shift = 0;
  double X = 0;
  double Y = 0;
};
using MouseHandler = std::function<void(const MouseArgs&)>;

// The runtime's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
int shiftBits(Qt::KeyboardModifiers m);

// The buttons held (for moves) or the button that changed (for presses and releases).
MouseArgs mouseArgs(const QMouseEvent& e, bool buttonThatChanged);

// The mouse events of a control, delivered to handlers; the control takes every event, so none
// reaches the window beneath it.
class MouseEventSource {
 public:
  void onMouseDown(MouseHandler h) { m_down = std::move(h); }
  void onMouseMove(MouseHandler h) { m_move = std::move(h); }
  void onMouseUp(MouseHandler h) { m_up = std::move(h); }
  void onClick(std::function<void()> h) { m_click = std::move(h); }

 protected:
  // Call from the widget's handlers; `inside` tells whether a release happened over the widget.
  void pressed(const QMouseEvent& e);
  void moved(const QMouseEvent& e);
  void released(const QMouseEvent& e, bool inside);

 private:
  MouseHandler m_down;
  MouseHandler m_move;
  MouseHandler m_up;
  std::function<void()> m_click;
  bool m_leftDown = false;
};

}  // namespace host
