// The button's input: mouse, Enter, focus, and the pointer entering and leaving through the
// message hook on its own window.
#include "CandyButton.h"

#include "host/core/InputCodes.h"

void CandyButton::setUpInput() {
  m_TrackLeave = true;
  m_TrackViaUser32 = host::IsFunctionExported("TrackMouseEvent", "User32");
  if (!m_TrackViaUser32 && !host::IsFunctionExported("_TrackMouseEvent", "Comctl32")) {
    m_TrackLeave = false;
  }
  if (!m_TrackLeave) return;  // no hover: never Hot, no MouseEnter or MouseLeave
  // Every mouse move over the button, not only those with a button held, reaches the hook.
  setMouseTracking(true);
  if (m_hook.sc_Subclass(this, 0, 1)) {
    m_hook.sc_AddMessage(this, static_cast<std::int32_t>(host::kWmMouseMove), host::kMsgAfter);
    m_hook.sc_AddMessage(this, static_cast<std::int32_t>(host::kWmMouseLeave), host::kMsgAfter);
  }
}

void CandyButton::StartLeaveTracking(QWidget& window) {
  // Both services come down to one leave notification for the window.
  if (m_TrackLeave) host::trackMouseLeave(window);
}

void CandyButton::WindowProcReceiver(bool before, bool& handled, std::int32_t& result,
                                     QWidget* window, std::uint32_t message, std::uint32_t wParam,
                                     std::int32_t lParam, std::int32_t& userValue) {
  (void)before;
  (void)handled;
  (void)result;
  (void)userValue;
  switch (message) {
    case host::kWmMouseMove: {
      // A move with the left button alone belongs to a drag, which mouse move handles.
      if (wParam == host::kMkLButton || m_MouseInside) return;
      const int X = host::pointX(lParam);
      const int Y = host::pointY(lParam);
      // The first row and column do not count as inside.
      if (X > 0 && Y > 0 && X < ScaleWidth() && Y < ScaleHeight()) {
        m_MouseInside = true;
        if (window != nullptr) StartLeaveTracking(*window);
        MouseEnter.raise();
        Redraw(Hot);
      }
      break;
    }
    case host::kWmMouseLeave:
      m_MouseInside = false;
      MouseLeave.raise();
      if (!m_Checked) Redraw(m_HasFocus ? Focused : Normal);
      break;
    default:
      break;
  }
}

void CandyButton::mouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  m_HasFocus = true;
  Redraw(Pressed);
  MouseDown.raise(Button, Shift, X, Y);
}

void CandyButton::mouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  if (!m_Checked) {
    if (m_MouseInside) {
      Redraw(Hot);
    } else if (m_HasFocus) {
      Redraw(Focused);
    }
  }
  MouseUp.raise(Button, Shift, X, Y);
}

void CandyButton::UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  if (m_Enabled) mouseDown(Button, Shift, X, Y);
}

void CandyButton::UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  if (!m_Enabled) return;
  MouseMove.raise(Button, Shift, X, Y);
  // Dragged out with the left button: no longer inside, until released and moved in again.
  if (Button == host::kLeftButton && (X < 0 || Y < 0 || static_cast<double>(X) > ScaleWidth() ||
                                      static_cast<double>(Y) > ScaleHeight())) {
    m_MouseInside = false;
    Redraw(Normal);
  }
}

void CandyButton::UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  if (m_Enabled) mouseUp(Button, Shift, X, Y);
}

void CandyButton::UserControl_Click() {
  if (m_Enabled) Click.raise();
}

void CandyButton::UserControl_DblClick() {
  if (!m_Enabled) return;
  Redraw(Pressed);
  DblClick.raise();
}

void CandyButton::UserControl_KeyDown(int& KeyCode, int Shift) {
  (void)Shift;
  if (m_Enabled && KeyCode == host::kKeyReturn) mouseDown(host::kLeftButton, 0, 0, 0);
}

void CandyButton::UserControl_KeyUp(int& KeyCode, int Shift) {
  (void)Shift;
  if (m_Enabled && KeyCode == host::kKeyReturn) mouseUp(host::kLeftButton, 0, 0, 0);
}

void CandyButton::UserControl_EnterFocus() {
  m_HasFocus = true;
  if (m_Enabled && !m_Checked && !m_MouseInside) Redraw(Focused);
}

void CandyButton::UserControl_ExitFocus() {
  m_HasFocus = false;
  if (m_Enabled && !m_Checked) Redraw(Normal);
}

host::UserControl::AccessibleView CandyButton::accessibleView() const {
  AccessibleView v;
  v.role = QAccessible::PushButton;
  v.name = m_Caption;
  v.pressed = m_lastState == Pressed;
  v.checkable = m_Checked;
  v.checked = m_Checked;
  v.disabled = !m_Enabled;
  return v;
}

void CandyButton::accessiblePress() {
  if (!m_Enabled) return;
  // A click of the left button in the middle of the button, which also takes the focus.
  setFocus(Qt::OtherFocusReason);
  const float X = static_cast<float>(ScaleWidth() / 2);
  const float Y = static_cast<float>(ScaleHeight() / 2);
  mouseDown(host::kLeftButton, 0, X, Y);
  mouseUp(host::kLeftButton, 0, X, Y);
  Click.raise();
}
