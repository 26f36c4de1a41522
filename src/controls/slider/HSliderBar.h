#pragma once

#include <QImage>
#include <cstdint>
#include <functional>

#include "SliderModel.h"
#include "host/core/ColorRef.h"
#include "host/forms/Event.h"
#include "host/forms/MouseEvents.h"
#include "host/forms/PropertyBag.h"
#include "host/forms/Timer.h"
#include "host/forms/UserControl.h"

namespace host {
class PictureBox;
}

// The owner-drawn horizontal slider: one whole-number value between two bounds, shown as a cue
// on a track. It paints itself either from five pictures (Style 1: track and cue per drawing
// state) or plainly (the surface's background is the track and the cue box a colored box), and
// follows the mouse: hovering shows the Over look, a press the Down look, a left-button drag
// moves the cue and raises Change with the value by reference.
//
// Coordinates are pixels of the inner area (the surface inside its border), the cue box's own
// pixels for the cue's mouse events. Its properties persist through the property bag.
class HSliderBar : public host::UserControl {
 public:
  // The cue box's geometry in inner-area pixels; the runtime holds it as singles.
  struct CueGeometry {
    float left = 9;
    float top = 3;
    float width = 11;
    float height = 14;
  };

  explicit HSliderBar(QWidget* parent);
  ~HSliderBar() override;
  HSliderBar(const HSliderBar&) = delete;
  HSliderBar& operator=(const HSliderBar&) = delete;

  // 0 no border, 1 a sunken single border; the low 16 bits are kept.
  std::int32_t BorderStyle() const { return m_BorderStyle; }
  void BorderStyle(std::int32_t New_val);
  // The cue's size in pixels, read rounded half to even.
  std::int32_t CueHeight() const;
  void CueHeight(std::int32_t New_val);
  std::int32_t CueWidth() const;
  void CueWidth(std::int32_t New_val);
  // 1 paints from the pictures; anything else plainly. Shows at the next repaint.
  std::int32_t Style() const { return m_Style; }
  void Style(std::int32_t New_val);
  // Plain style: 0 sizes the cue from the range, anything else keeps CueWidth x CueHeight.
  std::int32_t AutoCue() const { return m_AutoCue; }
  void AutoCue(std::int32_t New_val);

  // The five pictures: the track at rest and under the pointer (also while pressed), the cue at
  // rest, pressed and under the pointer. Each setter repaints.
  const host::PictureRef& Picture() const { return m_Picture.ref; }
  void Picture(const host::PictureRef& NewPic);
  const host::PictureRef& PictureOver() const { return m_PictureOver.ref; }
  void PictureOver(const host::PictureRef& NewPic);
  const host::PictureRef& PictureCue() const { return m_PictureCue.ref; }
  void PictureCue(const host::PictureRef& NewPic);
  const host::PictureRef& PictureCueDown() const { return m_PictureCueDown.ref; }
  void PictureCueDown(const host::PictureRef& NewPic);
  const host::PictureRef& PictureCueOver() const { return m_PictureCueOver.ref; }
  void PictureCueOver(const host::PictureRef& NewPic);

  // A bound equal to the other one is refused (still notified); the value is never clamped.
  std::int32_t Max() const { return m_Max; }
  void Max(std::int32_t lngValueMax);
  std::int32_t Min() const { return m_Min; }
  void Min(std::int32_t lngValueMin);
  // Takes a value inside the bounds (either way round), ignores others, repaints either way and
  // raises no Change: only the mouse does.
  std::int32_t value() const { return m_Value; }
  void value(std::int32_t lngCurrentValue);

  bool Enabled() const;
  void Enabled(bool New_Enabled);
  // The surface's background: shows at the next clear of the surface.
  host::ColorRef BackColor() const { return m_BackColor; }
  void BackColor(host::ColorRef NewValue) { m_BackColor = NewValue; }
  // The cue box's background (the plain style's cue color).
  host::ColorRef ForeColor() const;
  void ForeColor(host::ColorRef NewValue);
  std::int32_t MousePointer() const { return m_MousePointer; }
  void MousePointer(std::int32_t NewValue);
  const host::PictureRef& MouseIcon() const { return m_MouseIcon.ref; }
  void MouseIcon(const host::PictureRef& Img);

  // Repaints the whole control.
  void Refresh();

  // A screen reader sees a slider with its bounds and value, named by its caption label, and
  // may set the value: a value inside the bounds moves the cue and raises Change as a drag does.
  AccessibleView accessibleView() const override;
  void accessibleSetValue(int value) override;

  // Raised whenever a left-button action sets the value; the argument is the value itself, so a
  // listener that assigns to it sets the value (unchecked, without a repaint).
  host::Event<std::int32_t&> Change{"Change"};
  // Button, Shift, X, Y (single) as the runtime passes them.
  host::Event<std::int16_t, std::int16_t, float, float> MouseDown{"MouseDown"};
  host::Event<std::int16_t, std::int16_t, float, float> MouseUp{"MouseUp"};
  // Moves over the surface only, not over the cue box.
  host::Event<std::int16_t, std::int16_t, float, float> MouseMove{"MouseMove"};

  void InitProperties() override;
  void ReadProperties(const host::PropertyBag& bag) override;
  void WriteProperties(host::PropertyBag& bag) const override;

  // The cue box and the leave watch, as the window holds its child controls.
  host::PictureBox& Cue() const { return *m_Cue; }
  host::Timer& tmrTestState() { return m_tmrTestState; }

  // The state the painter draws by, for the owner's checks.
  std::int16_t cueState() const { return m_CueState; }
  bool dragging() const { return m_Dragging; }
  bool hovering() const { return m_Hovering; }
  double unitWidth() const { return m_UnitWidth; }
  const CueGeometry& cueGeometry() const { return m_cue; }
  // The inner area: the surface inside its border (pixels).
  int innerWidth() const;
  int innerHeight() const;

  // The window under the pointer as the platform reports it (a disabled one never is); the real
  // one asks the toolkit at the cursor's screen position. Tests place the pointer with their own.
  using WindowProbe = std::function<const QWidget*()>;
  void setWindowUnderPointer(WindowProbe probe) { m_windowUnderPointer = std::move(probe); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Pic {
    host::PictureRef ref;
    QImage image;  // null for an empty or unreadable picture
  };
  // The track measure: the size of the last track picture it was given (an empty picture leaves
  // it as it is). It starts at its laid-out 269 x 14.
  struct Holder {
    QImage picture;
    int width = 269;
    int height = 14;
  };

  void PaintSlider();
  void paintPictureStyle();
  void paintPlainStyle();
  void PlaceCue(const std::int32_t& v);
  void UserControl_Resize();
  bool IsMouseOverControl() const;
  // One drag step with the cue's left edge wanted at `left`: clamped, value, Change.
  void dragStep(double left);

  void UserControl_MouseDown(const host::MouseArgs& a);
  void UserControl_MouseMove(const host::MouseArgs& a);
  void UserControl_MouseUp(const host::MouseArgs& a);
  void Cue_MouseDown(const host::MouseArgs& a);
  void Cue_MouseMove(const host::MouseArgs& a);
  void Cue_MouseUp(const host::MouseArgs& a);
  void tmrTestState_Timer();

  void applyPointer();
  void setPicture(Pic& field, const host::PictureRef& ref, const char* notifyName);
  void setCueGeometry(const CueGeometry& g);
  void setCueBoxPicture(const QImage& picture);
  void setHolderPicture(const QImage& picture);
  int borderWidth() const;
  // Fills what the surface gained since the last time with the background color, as the
  // runtime's persistent bitmap does when the control grows.
  void coverNewSurface();
  host::ColorRef surfaceColor() const;

  std::int32_t m_Max = 100;
  std::int32_t m_Min = 0;
  std::int32_t m_Value = 0;
  bool m_Dragging = false;
  bool m_Hovering = false;
  std::int16_t m_CueState = SliderModel::Normal;
  float m_GrabOffset = 0;  // pixels from the cue's left edge where a cue drag took hold
  float m_PointerX = 0;    // the pointer during a cue drag, inner-area pixels
  double m_UnitWidth = 0;  // pixels per value unit
  std::int32_t m_AutoCue = 0;
  std::int32_t m_Style = 0;
  Pic m_Picture, m_PictureOver, m_PictureCue, m_PictureCueDown, m_PictureCueOver;
  Pic m_MouseIcon;

  std::int16_t m_BorderStyle = 0;
  std::int16_t m_MousePointer = 0;
  host::ColorRef m_BackColor = 0xE0E0E0;  // light grey
  CueGeometry m_cue;
  QImage m_cueBoxPicture;
  Holder m_picSlider;
  QSize m_coveredSurface;

  host::PictureBox* m_Cue;  // a child window, owned by the surface
  host::Timer m_tmrTestState;
  WindowProbe m_windowUnderPointer;
};
