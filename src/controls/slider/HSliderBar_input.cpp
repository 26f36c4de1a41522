// How the slider follows the mouse: press, drag and release on the surface (which holds the
// mouse capture from a press to its release, so moves outside still arrive), the plain style's
// drag of the cue box itself, and the leave watch that returns the look to Normal once the
// pointer has gone. X and Y are inner-area pixels for the surface, the cue box's own for the cue.
#include "HSliderBar.h"
#include "host/core/InputCodes.h"
#include "host/forms/AccessibleChanges.h"

namespace {

std::int16_t bits16(int v) {
  return static_cast<std::int16_t>(v);
}

}  // namespace

bool HSliderBar::IsMouseOverControl() const {
  // Over the cue box (a window of its own) or a window that covers the slider counts as outside.
  return isEnabled() && m_windowUnderPointer && m_windowUnderPointer() == this;
}

void HSliderBar::dragStep(double left) {
  const auto unit =
      SliderModel::unitWidth(innerWidth(), static_cast<double>(m_cue.width), m_Min, m_Max);
  if (unit) m_UnitWidth = *unit;
  // Equal bounds or a cue as wide as the inner area map no position to a value: the value stays
  // and no Change is raised.
  const auto step =
      SliderModel::dragTo(left, innerWidth(), static_cast<double>(m_cue.width), m_Min, m_Max);
  if (!step) return;
  CueGeometry g = m_cue;
  g.left = step->cueLeft;
  setCueGeometry(g);
  m_Value = step->value;
  Change.raise(m_Value);
  host::accessibility::valueChanged(*this, m_Value);
}

void HSliderBar::UserControl_MouseDown(const host::MouseArgs& a) {
  if (!isEnabled()) return;
  const int b = borderWidth();
  const auto X = static_cast<float>(a.X - b);
  const auto Y = static_cast<float>(a.Y - b);
  if (a.Button == host::kLeftButton) {
    m_Dragging = true;
    // The cue does not move on a press; a press on the track moves it at the release.
    m_CueState = SliderModel::pressState(static_cast<double>(X), static_cast<double>(m_cue.left),
                                         static_cast<double>(m_cue.width));
    PaintSlider();
  }
  MouseDown.raise(bits16(a.Button), bits16(a.Shift), X, Y);
}

void HSliderBar::UserControl_MouseMove(const host::MouseArgs& a) {
  if (!isEnabled()) return;
  const int b = borderWidth();
  const auto X = static_cast<float>(a.X - b);
  const auto Y = static_cast<float>(a.Y - b);
  if (a.Button == host::kLeftButton) {
    // A left-button move always drags, centring the cue on the pointer.
    dragStep(static_cast<double>(X) - static_cast<double>(m_cue.width) / 2);
    PaintSlider();
  }
  if (a.Button == 0 || a.Button == host::kLeftButton) {
    if (!IsMouseOverControl()) {
      m_Hovering = false;
      m_CueState = SliderModel::Normal;
      PaintSlider();
    } else if (a.Button == 0 && !m_Hovering) {
      // The pointer has just come in: watch for it leaving.
      m_tmrTestState.Enabled(true);
      m_Hovering = true;
      m_CueState = SliderModel::Over;
      PaintSlider();
    } else if (a.Button == host::kLeftButton) {
      m_Hovering = true;
      m_CueState = SliderModel::Down;
      PaintSlider();
      m_Hovering = false;
    }
  }
  MouseMove.raise(bits16(a.Button), bits16(a.Shift), X, Y);
}

void HSliderBar::UserControl_MouseUp(const host::MouseArgs& a) {
  if (!isEnabled()) return;
  const int b = borderWidth();
  const auto X = static_cast<float>(a.X - b);
  const auto Y = static_cast<float>(a.Y - b);
  if (a.Button == host::kLeftButton) {
    m_Dragging = false;
    dragStep(static_cast<double>(X) - static_cast<double>(m_cue.width) / 2);
    m_CueState = IsMouseOverControl() ? SliderModel::Over : SliderModel::Normal;
    // No longer dragging: this paint also puts the cue exactly where the value says.
    PaintSlider();
  }
  MouseUp.raise(bits16(a.Button), bits16(a.Shift), X, Y);
}

void HSliderBar::Cue_MouseDown(const host::MouseArgs& a) {
  if (!isEnabled()) return;
  if (a.Button == host::kLeftButton) {
    m_Dragging = true;
    m_GrabOffset = static_cast<float>(a.X);
  }
  MouseDown.raise(bits16(a.Button), bits16(a.Shift), static_cast<float>(a.X),
                  static_cast<float>(a.Y));
}

void HSliderBar::Cue_MouseMove(const host::MouseArgs& a) {
  if (!isEnabled()) return;
  if (a.Button == host::kLeftButton && m_Dragging) {
    // The cue keeps the offset at which it was grabbed.
    m_PointerX = static_cast<float>(a.X) + m_cue.left;
    dragStep(static_cast<double>(m_PointerX) - static_cast<double>(m_GrabOffset));
  }
}

void HSliderBar::Cue_MouseUp(const host::MouseArgs& a) {
  if (!isEnabled()) return;
  if (a.Button == host::kLeftButton && m_Dragging) m_Dragging = false;
  MouseUp.raise(bits16(a.Button), bits16(a.Shift), static_cast<float>(a.X),
                static_cast<float>(a.Y));
}

void HSliderBar::tmrTestState_Timer() {
  if (!IsMouseOverControl()) {
    m_tmrTestState.Enabled(false);
    m_Hovering = false;
    m_CueState = SliderModel::Normal;
    PaintSlider();
  }
}
