#pragma once

#include <memory>
#include <string_view>

#include "host/Form.h"
#include "host/Timer.h"

namespace host {
class CheckBox;
class FormData;
class Label;
class Shape;
class PictureBox;
class ScreenSource;
class TextBox;
}  // namespace host
class twCMYK;
class CZoom;
class CandyButton;
class cLogo;
namespace ColorPickerLayout {
struct ControlSpec;
}

// The picker window: the readouts of the pixel under the cursor, rewritten by Timer1 ten times
// a second from the screen source it is given.
class ColorPicker : public host::Form {
 public:
  explicit ColorPicker(host::ScreenSource& screen, QWidget* parent = nullptr);
  ~ColorPicker() override;

  // The sampling tick: reads the cursor and the pixel under it and rewrites every readout.
  void Timer1_Timer();
  // The magnifier tick: repaints Pic_zoom from the screen around the cursor.
  void Timer_Timer();

  host::Timer Timer1;  // sampling, 100 ms
  host::Timer Timer;   // magnifier, 10 ms

  // Readouts written by the tick.
  host::Label* lbl_mouse = nullptr;
  host::Label* lbl_color = nullptr;
  host::Label* lbl_red = nullptr;
  host::Label* lbl_green = nullptr;
  host::Label* lbl_blue = nullptr;
  host::TextBox* txt_Hex = nullptr;
  host::TextBox* txt_vbcode = nullptr;
  host::Label* lbl_Hue = nullptr;
  host::Label* lbl_Lum = nullptr;
  host::Label* lbl_Sat = nullptr;
  host::Label* lbl_gryR = nullptr;
  host::Label* lbl_gryG = nullptr;
  host::Label* lbl_gryB = nullptr;
  host::Label* lbl_Grey = nullptr;
  host::Label* lbl_C = nullptr;
  host::Label* lbl_M = nullptr;
  host::Label* lbl_Y = nullptr;
  host::Label* lbl_K = nullptr;
  host::PictureBox* Picture1 = nullptr;
  host::PictureBox* Picture2 = nullptr;
  host::PictureBox* Picture3 = nullptr;
  host::PictureBox* Picture4 = nullptr;
  host::PictureBox* Picture5 = nullptr;
  host::PictureBox* Picture6 = nullptr;
  host::PictureBox* Picture7 = nullptr;
  host::PictureBox* Pic_zoom = nullptr;
  host::Label* lbl_zoom_size = nullptr;
  host::CheckBox* Check1 = nullptr;
  host::CheckBox* onTop = nullptr;
  host::PictureBox* picLogo = nullptr;
  CandyButton* btn_Mixer = nullptr;
  host::Shape* Shape1 = nullptr;
  host::Shape* Shape2 = nullptr;
  host::Shape* Shape3 = nullptr;

  twCMYK* cmyk() const { return m_cmyk.get(); }
  CZoom* zoom() const { return m_zoom.get(); }
  cLogo* logo() const { return m_logo.get(); }

 protected:
  void Form_Load() override;
  void resizeEvent(QResizeEvent* event) override;
  // The window's Resize event: the logo strip follows the inner height and is repainted.
  void Form_Resize();

 private:
  void createControls();
  void ensureLogo();
  QWidget* createControl(const ColorPickerLayout::ControlSpec& item, const host::FormData& stored);
  template <class T>
  T* named(std::string_view name) const;

  host::ScreenSource& m_screen;
  std::unique_ptr<twCMYK> m_cmyk;
  std::unique_ptr<CZoom> m_zoom;
  std::unique_ptr<cLogo> m_logo;
};
