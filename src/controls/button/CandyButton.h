#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "ButtonShape.h"
#include "host/forms/Event.h"
#include "host/forms/PropertyBag.h"
#include "host/forms/UserControl.h"
#include "host/platform/MessageHook.h"

// The owner-drawn push button: its properties, color schemes, color blending and persistence,
// its painters, and its input: the state it paints after each mouse, key and focus input, the
// pointer entering and leaving (raw messages of its own window through a message hook), and the
// events it raises.
class CandyButton : public host::UserControl, private host::MessageReceiver {
 public:
  enum ButtonState { Normal = 0, Pressed = 1, Focused = 2, Hot = 3, Checked_ = 4 };

  // One preset color scheme: face at rest, under the pointer, pressed, and the gloss's light
  // color.
  struct Scheme {
    host::ColorRef up, hover, down, bright;
  };
  static const std::array<Scheme, 15>& schemes();

  explicit CandyButton(QWidget* parent);

  // The events raised to the window that holds the button. Button and Shift are the runtime's
  // bits, X and Y single precision in the button's pixels.
  using MouseEvent = host::Event<std::int16_t, std::int16_t, float, float>;
  host::Event<> Click{"Click"};
  host::Event<> DblClick{"DblClick"};
  host::Event<> MouseEnter{"MouseEnter"};
  host::Event<> MouseLeave{"MouseLeave"};
  MouseEvent MouseMove{"MouseMove"};
  MouseEvent MouseUp{"MouseUp"};
  MouseEvent MouseDown{"MouseDown"};

  // The input the runtime delivers (all ignored while Enabled is false, except the focus flags).
  void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void UserControl_Click();
  void UserControl_DblClick();
  // Enter presses and releases the button as the left mouse button would; other keys nothing.
  void UserControl_KeyDown(int& KeyCode, int Shift);
  void UserControl_KeyUp(int& KeyCode, int Shift);
  void UserControl_EnterFocus();
  void UserControl_ExitFocus();

  bool mouseInside() const { return m_MouseInside; }
  bool hasFocus() const { return m_HasFocus; }
  bool tracksLeave() const { return m_TrackLeave; }
  // Repaints so far (for tests that tell a repaint of the same state from none).
  int redraws() const { return m_redraws; }

  bool DisplayHand() const { return m_DisplayHand; }
  void DisplayHand(bool value) { m_DisplayHand = value; }
  bool Enabled() const;
  void Enabled(bool value);
  std::int32_t ColorScheme() const { return m_ColorScheme; }
  void ColorScheme(std::int32_t value);
  std::int32_t BorderBrightness() const { return m_BorderBrightness; }
  void BorderBrightness(std::int32_t value);
  bool IconHighLite() const { return m_IconHighLite; }
  void IconHighLite(bool value);
  host::ColorRef IconHighLiteColor() const { return m_IconHighLiteColor; }
  void IconHighLiteColor(host::ColorRef value);
  bool CaptionHighLite() const { return m_CaptionHighLite; }
  void CaptionHighLite(bool value);
  host::ColorRef CaptionHighLiteColor() const { return m_CaptionHighLiteColor; }
  void CaptionHighLiteColor(host::ColorRef value);
  host::ColorRef ColorBright() const { return m_ColorBright; }
  void ColorBright(host::ColorRef value);
  host::ColorRef ColorButtonDown() const { return m_ColorButtonDown; }
  void ColorButtonDown(host::ColorRef value);
  host::ColorRef ColorButtonUp() const { return m_ColorButtonUp; }
  void ColorButtonUp(host::ColorRef value);
  host::ColorRef ColorButtonHover() const { return m_ColorButtonHover; }
  void ColorButtonHover(host::ColorRef value);
  host::ColorRef ForeColor() const { return m_ForeColor; }
  void ForeColor(host::ColorRef value);
  const host::PictureRef& Picture() const { return m_Picture; }
  void Picture(const host::PictureRef& value);
  bool Checked() const { return m_Checked; }
  void Checked(bool value);
  std::int32_t Style() const { return m_Style; }
  void Style(std::int32_t value);
  std::int32_t PictureAlignment() const { return m_PictureAlignment; }
  void PictureAlignment(std::int32_t value);
  const QString& Caption() const { return m_Caption; }
  void Caption(const QString& value);
  QFont Font() const { return font(); }
  void Font(const QFont& value);

  // Channels of `color` (system colors translated).
  static void GetRGB(std::int32_t& R, std::int32_t& G, std::int32_t& b, host::ColorRef color);
  // color1 + (color2 - color1) * percentage / 100 per channel, truncating toward zero; the
  // percentage is clamped to 0..100 and written back.
  static host::ColorRef BlendColors(host::ColorRef color1, host::ColorRef color2,
                                    std::int32_t& percentage);
  static std::int32_t Clamp(std::int32_t value, std::int32_t min, std::int32_t max);

  // Paints the whole control for a state (Checked wins); nothing until the properties are
  // loaded.
  void Redraw(int state);
  // The picture and the caption for a state, over the painted face.
  void DrawIconWCaption(int state);
  // The corner radius, the window's shape and the inner region for the current Style.
  void UpdateShape();

  std::int32_t radius() const { return m_Radius; }
  const std::optional<host::Region>& innerRegion() const { return m_InnerRegion; }

  void InitProperties() override;
  void ReadProperties(const host::PropertyBag& bag) override;
  void WriteProperties(host::PropertyBag& bag) const override;

  bool ready() const { return m_Ready; }
  int lastState() const { return m_lastState; }

  // A screen reader sees a push button named by its caption: pressed while held down, checked
  // while Checked, unavailable while not Enabled. Its press clicks the button as the left mouse
  // button does (down, up, Click), where Enter alone raises no Click.
  AccessibleView accessibleView() const override;
  void accessiblePress() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The hook's messages, after the window's own handling: entering (the first qualifying mouse
  // move inside) and leaving. Handled whether or not the button is enabled.
  void WindowProcReceiver(bool before, bool& handled, std::int32_t& result, QWidget* window,
                          std::uint32_t message, std::uint32_t wParam, std::int32_t lParam,
                          std::int32_t& userValue) override;
  // At load, while the program runs: leave tracking where the platform offers it, and the hook.
  void setUpInput();
  void StartLeaveTracking(QWidget& window);
  // The mouse-down and mouse-up handling that Enter shares.
  void mouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void mouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);

  void setFaceColor(host::ColorRef& field, host::ColorRef value, const char* notifyName);
  void PaintRounded(int W, int H, host::ColorRef color, const ButtonShape::GlossParams& P);
  void PaintGlow(host::Canvas& dc, const ButtonShape::GlossParams& P, int W, int H,
                 host::ColorRef color, host::ColorRef bright);
  void paintStyle0(int state);
  void paintStyle1(int state);
  void paintStyle6(int state);
  // The container's background over (0, 0)-(W1, H1), when the container has one to read.
  void fillWithContainerBack(host::Canvas& dc, int W1, int H1);
  host::ColorRef faceColorFor(int state, bool& paints) const;

  std::int32_t m_Style = 0;
  std::int32_t m_PictureAlignment = 0;
  bool m_Checked = false;
  QString m_Caption;
  host::PictureRef m_Picture;
  QImage m_PictureImage;
  host::ColorRef m_ColorButtonHover = 0;
  host::ColorRef m_ColorButtonUp = 0;
  host::ColorRef m_ColorButtonDown = 0;
  host::ColorRef m_ColorBright = 0;
  host::ColorRef m_ForeColor = 0;
  bool m_DisplayHand = false;
  std::int32_t m_BorderBrightness = 0;
  std::int32_t m_ColorScheme = 0;
  bool m_IconHighLite = false;
  host::ColorRef m_IconHighLiteColor = 0;
  bool m_CaptionHighLite = false;
  host::ColorRef m_CaptionHighLiteColor = 0;
  bool m_Enabled = false;
  bool m_Ready = false;
  bool m_MouseInside = false;
  bool m_HasFocus = false;
  bool m_TrackLeave = false;
  bool m_TrackViaUser32 = false;
  int m_lastState = -1;
  int m_redraws = 0;
  host::MessageHook m_hook{"CandyButton", *this};
  std::int32_t m_Radius = 0;
  std::optional<host::Region> m_InnerRegion;
};
