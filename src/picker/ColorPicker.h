#pragma once

#include <memory>
#include <string_view>

#include <array>
#include <vector>

#include "about/frm_about.h"
#include "host/Form.h"
#include "host/Menu.h"
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
// a second from the screen source it is given; the magnifier, the sampling switch, the zoom
// menu, and the about window.
class ColorPicker : public host::Form, private AboutOwner {
 public:
  explicit ColorPicker(host::ScreenSource& screen, QWidget* parent = nullptr);
  ~ColorPicker() override;

  // Window events and control handlers.
  void Form_Initialize();
  void Form_Load();
  // The logo strip follows the inner height; the magnifier pauses while minimized.
  void Form_Resize();
  void Form_KeyPress(int& keyAscii);
  void Form_KeyDown(int& keyCode, int shift);
  void Form_MouseDown(const host::MouseArgs& args);
  void Form_MouseMove(const host::MouseArgs& args);
  void Check1_Click();
  void onTop_Click();
  void lbl_about_Click();
  void lbl_Exit_Click();
  void txt_Hex_GotFocus();
  void txt_vbcode_GotFocus();
  void mnuZoom_Click(int index);
  void mnuItem_Click(int index);
  void UncheckZoomItems();

  // The sampling tick: reads the cursor and the pixel under it and rewrites every readout.
  void Timer1_Timer();
  // The magnifier tick: repaints Pic_zoom from the screen around the cursor.
  void Timer_Timer();

  host::Timer Timer1;  // sampling, 100 ms
  host::Timer Timer;   // magnifier, 10 ms

  // The popup menu: mnuItem(0) "Zoom at cursor" opens the factors mnuZoom(0..6); mnuItem(1)
  // and (2) are the engine's two options, never shown.
  host::Menu mnuPopup;
  std::array<host::MenuItem*, 3> mnuItem{};
  std::vector<host::MenuItem*> mnuZoom;

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
  host::Label* lbl_about = nullptr;
  host::Label* lbl_Exit = nullptr;
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
  frm_about* about() const { return m_about.get(); }

 private:
  void createControls();
  void buildMenu();
  // Loads the next element of mnuZoom, captioned with its factor ("15x").
  void loadZoomItem();
  // Switches sampling on or off: both timers, the switch's caption color, SamplingOn, and the
  // mixer button (usable only while sampling is off).
  void setSampling(bool on);
  // Starts or stops both timers, leaving the switch and SamplingOn alone (the about window).
  void runTimers(bool on);
  void wireEvents();
  void ensureLogo();
  // The move of the whole window that dragging a readout starts (left button alone).
  void dragOnLeftButton(const host::MouseArgs& args);
  void focusSwitch();

  // The about window's view of this window.
  void stopTimers() override;
  void restoreTimers() override;
  bool onTopTicked() const override;
  host::Form& ownerWindow() override { return *this; }
  QWidget* createControl(const ColorPickerLayout::ControlSpec& item, const host::FormData& stored);
  template <class T>
  T* named(std::string_view name) const;

  host::ScreenSource& m_screen;
  std::unique_ptr<twCMYK> m_cmyk;
  std::unique_ptr<CZoom> m_zoom;
  std::unique_ptr<cLogo> m_logo;
  std::unique_ptr<frm_about> m_about;
  host::Menu* m_zoomMenu = nullptr;  // the submenu of mnuItem(0)
};

// The picker's start-up: names the system, registers the common controls, shows the window.
namespace ColorPickerMain {
bool InitCommonCtls();
}
