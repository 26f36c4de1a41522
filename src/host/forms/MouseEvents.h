#pragma once

#include <Qt>

#include "host/forms/Event.h"

class QKeyEvent;
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

// The runtime's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
int shiftBits(Qt::KeyboardModifiers m);

// The buttons held (for moves) or the button that changed (for presses and releases).
MouseArgs mouseArgs(const QMouseEvent& e, bool buttonThatChanged);

// The mouse events of a control. Click follows a left press and release inside the control; the
// second press of a double click raises DblClick instead of MouseDown, and its release no Click.
struct MouseEvents {
  Event<const MouseArgs&> MouseDown{"MouseDown"};
  Event<const MouseArgs&> MouseMove{"MouseMove"};
  Event<const MouseArgs&> MouseUp{"MouseUp"};
  Event<> Click{"Click"};
  Event<> DblClick{"DblClick"};
};

// The platform's virtual key code for a key event (kKeyEscape, kKeyF1 ...; letters and digits
// as their upper-case ASCII), 0 for keys the program has no code for.
int virtualKey(const QKeyEvent& e);

// What happens to a mouse event of the widget after its events are raised.
enum class MouseForwarding {
  Consume,  // the control takes it: nothing else handles it, nothing reaches the window beneath
  PassOn,   // the widget's own handling runs afterwards (a text box placing its caret)
};

// Raises `events` from the mouse events `widget` receives (an event filter owned by the widget).
void forwardMouseEvents(QWidget& widget, MouseEvents& events, MouseForwarding mode);

}  // namespace host
