#include "frmColor.h"

#include <QKeyEvent>

#include "MixerModel.h"
#include "host/forms/Control.h"
#include "host/forms/Label.h"
#include "host/forms/Pointer.h"
#include "host/forms/Screen.h"
#include "host/platform/Platform.h"
#include "program/ProgramFlags.h"

frmColor::frmColor(const host::Label& swatch, const QWidget& frame)
    : host::Form(nullptr), m_swatch(swatch), m_frame(frame) {
  // A tool window: no taskbar entry for a window that lives as long as one press. It never
  // takes the keyboard: without a window manager nothing would give it back to the picker.
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(QStringLiteral("Tintwell"));
  Load.connect([this] { Form_Load(); });
  MouseMove.connect([this](const host::MouseArgs&) { followPointer(); });
  MouseUp.connect([this](const host::MouseArgs&) { drop(); });
}

frmColor* frmColor::lift(const host::Label& swatch, const QWidget& frame) {
  auto* window = new frmColor(swatch, frame);
  window->Show();
  window->Form_Activate();
  return window;
}

void frmColor::Form_Load() {
  if (ProgramFlags::topmostAvailable()) host::SetTopmost(*this, true);
  // The frame's place on the screen (pixels) and the swatch's in the frame (twips).
  const QPoint frameOnScreen = m_frame.mapToGlobal(QPoint(0, 0));
  const host::TwipsRect r = MixerModel::matchWindowRect(
      frameOnScreen.x(), frameOnScreen.y(), host::geometryTwips(m_swatch),
      host::Screen::TwipsPerPixelX(), host::Screen::TwipsPerPixelY());
  Move(r.left, r.top, r.width, r.height);
  BackColor(m_swatch.BackColor());
}

void frmColor::Form_Activate() {
  // Where a window manager moves windows it does not say when the button comes up, so the
  // window follows the pointer itself, holding the pointer and the keys until the release. The
  // window never takes the focus: the keys come to it through the grab alone.
  m_grab = host::pointerPosition() - pos();
  m_start = pos();
  m_dragging = true;
  m_cancelled = false;
  grabMouse();
  grabKeyboard();
}

void frmColor::followPointer() {
  if (m_dragging && !m_cancelled) move(host::pointerPosition() - m_grab);
}

void frmColor::keyPressEvent(QKeyEvent* event) {
  // Every key is the carry's: none reaches the window underneath (whose Esc ends the program).
  event->accept();
  if (m_dragging && event->key() == Qt::Key_Escape) {
    m_cancelled = true;
    move(m_start);
  }
}

void frmColor::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
}

void frmColor::drop() {
  if (!m_dragging) return;
  m_dragging = false;
  releaseKeyboard();
  releaseMouse();
  unload();
  // Not inside its own event handler: deleted once the release has been handled.
  deleteLater();
}
