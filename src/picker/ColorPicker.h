#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "about/frm_about.h"
#include "color/ColorText.h"
#include "controls/button/CandyButton.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Form.h"
#include "host/forms/FormData.h"
#include "host/forms/Label.h"
#include "host/forms/Menu.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "host/forms/Timer.h"
#include "mixer/MixerPanel.h"

namespace host {
class ScreenSource;
}  // namespace host
class twCMYK;
class CZoom;
class cLogo;

// The picker window: the readouts of the pixel under the cursor, rewritten by Timer1 ten times
// a second from the screen source it is given; the magnifier, the sampling switch, the zoom
// menu, the about window and the mixer panel. The program only builds and shows it; the windows
// it opens talk to it through AboutOwner and MixerOwner.
class ColorPicker : public host::Form, private AboutOwner, private MixerOwner {
 public:
  // `storedForm` names the stored design of the window's owner-drawn controls (a resource; tests
  // hand it a file of their own).
  explicit ColorPicker(host::ScreenSource& screen, QWidget* parent = nullptr,
                       const QString& storedForm = QStringLiteral(":/forms/ColorPicker.txt"));
  ~ColorPicker() override;

 private:
  // Tests and benchmarks reach the controls, timers and handlers through it.
  friend class ColorPickerProbe;

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
  // After this many magnifier ticks in a row that change nothing, the magnifier's clock rests
  // until the screen source sees the pointer move or the screen drawn on.
  static constexpr int kQuietTicksBeforeRest = 10;

  host::Timer Timer1;  // sampling, 100 ms
  host::Timer Timer;   // magnifier, 10 ms

  // The popup menu: mnuItem(0) "Zoom at cursor" opens the factors mnuZoom(0..6); mnuItem(1)
  // and (2) are the engine's two options, never shown.
  host::Menu mnuPopup;
  std::array<host::MenuItem*, 3> mnuItem{};
  std::vector<host::MenuItem*> mnuZoom;

  // The controls of the window's design (ColorPickerLayout), bound when they are built; the
  // mixer panel's (MixerLayout) are the panel's.
  host::ControlRef<host::Label> lbl_mouse{*this, "lbl_mouse"};
  host::ControlRef<host::Label> lbl_color{*this, "lbl_color"};
  host::ControlRef<host::Label> lbl_red{*this, "lbl_red"};
  host::ControlRef<host::Label> lbl_green{*this, "lbl_green"};
  host::ControlRef<host::Label> lbl_blue{*this, "lbl_blue"};
  host::ControlRef<host::TextBox> txt_Hex{*this, "txt_Hex"};
  host::ControlRef<host::TextBox> txt_vbcode{*this, "txt_vbcode"};
  host::ControlRef<host::Label> lbl_Hue{*this, "lbl_Hue"};
  host::ControlRef<host::Label> lbl_Lum{*this, "lbl_Lum"};
  host::ControlRef<host::Label> lbl_Sat{*this, "lbl_Sat"};
  host::ControlRef<host::Label> lbl_gryR{*this, "lbl_gryR"};
  host::ControlRef<host::Label> lbl_gryG{*this, "lbl_gryG"};
  host::ControlRef<host::Label> lbl_gryB{*this, "lbl_gryB"};
  host::ControlRef<host::Label> lbl_Grey{*this, "lbl_Grey"};
  host::ControlRef<host::Label> lbl_C{*this, "lbl_C"};
  host::ControlRef<host::Label> lbl_M{*this, "lbl_M"};
  host::ControlRef<host::Label> lbl_Y{*this, "lbl_Y"};
  host::ControlRef<host::Label> lbl_K{*this, "lbl_K"};
  host::ControlRef<host::PictureBox> Picture1{*this, "Picture1"};
  host::ControlRef<host::PictureBox> Picture2{*this, "Picture2"};
  host::ControlRef<host::PictureBox> Picture3{*this, "Picture3"};
  host::ControlRef<host::PictureBox> Picture4{*this, "Picture4"};
  host::ControlRef<host::PictureBox> Picture5{*this, "Picture5"};
  host::ControlRef<host::PictureBox> Picture6{*this, "Picture6"};
  host::ControlRef<host::PictureBox> Picture7{*this, "Picture7"};
  host::ControlRef<host::PictureBox> Pic_zoom{*this, "Pic_zoom"};
  host::ControlRef<host::Label> lbl_zoom_size{*this, "lbl_zoom_size"};
  host::ControlRef<host::Label> lbl_about{*this, "lbl_about"};
  host::ControlRef<host::Label> lbl_Exit{*this, "lbl_Exit"};
  host::ControlRef<host::CheckBox> Check1{*this, "Check1"};
  host::ControlRef<host::CheckBox> onTop{*this, "onTop"};
  host::ControlRef<host::PictureBox> picLogo{*this, "picLogo"};
  host::ControlRef<CandyButton> btn_Mixer{*this, "btn_Mixer"};
  host::ControlRef<host::Shape> Shape1{*this, "Shape1"};
  host::ControlRef<host::Shape> Shape2{*this, "Shape2"};
  host::ControlRef<host::Shape> Shape3{*this, "Shape3"};

  // One bar graph of the tick: its box, pen color, painter, maximum and value; and what a box
  // was last painted with (the box's drawing count afterwards tells whether anything drew since).
  struct Bar {
    host::PictureBox* box;
    host::ColorRef color;
    void (*painter)(host::PictureBox&, std::int32_t, std::int32_t, std::int32_t);
    std::int32_t max;
    std::int32_t value;
  };
  struct PaintedBar {
    const host::PictureBox* box = nullptr;
    host::ColorRef color = 0;
    std::int32_t max = 0;
    std::int32_t value = 0;
    std::uint64_t drawings = 0;
  };
  void paintBars(std::size_t first, std::initializer_list<Bar> bars);

  void createControls(const QString& storedForm);
  // The mixer panel, its controls built the first time it is asked for.
  MixerPanel& mixer();
  void buildMenu();
  // Loads the next element of mnuZoom, captioned with its factor ("15x").
  void loadZoomItem();
  // Switches sampling on or off: both timers, the switch's caption color, SamplingOn, and the
  // mixer button (usable only while sampling is off).
  void setSampling(bool on);
  // Starts or stops both timers, leaving the switch and SamplingOn alone (the about window).
  void runTimers(bool on);
  void wireEvents();
  // The window's rounded corners and its blue gradient, for its current width.
  void shapeWindow();
  void ensureLogo();
  // The move of the whole window that dragging a readout starts (left button alone).
  void dragOnLeftButton(const host::MouseArgs& args);
  void focusSwitch();

  // The about window's view of this window.
  void stopTimers() override;
  void restoreTimers() override;
  bool onTopTicked() const override;
  host::Form& ownerWindow() override { return *this; }

  // The mixer panel's view of this window.
  host::Form& mixerWindow() override { return *this; }
  std::string frozenHexText() const override;
  void fitMixer(bool open) override;
  void holdSampling(bool hold) override;
  // The "Copy as" submenu: `color` in every notation, one item each.
  void addCopyItems(QMenu& menu, host::ColorRef color) override;

  // Copying in any notation (ColorPicker_copy.cpp): the readout boxes' edit menus, and
  // Ctrl+Shift+C for the color in view (the mixer's while its panel is open, else the readouts').
  void wireCopyItems();
  std::optional<host::ColorRef> currentColor() const;
  void copyCurrentColor();

  host::ScreenSource& m_screen;
  std::unique_ptr<twCMYK> m_cmyk;
  std::unique_ptr<CZoom> m_zoom;
  std::unique_ptr<cLogo> m_logo;
  std::unique_ptr<frm_about> m_about;
  // The stored design, kept for the mixer panel's controls until they are built.
  host::FormData m_storedForm;
  std::unique_ptr<MixerPanel> m_mixer;
  host::Menu* m_zoomMenu = nullptr;           // the submenu of mnuItem(0)
  std::array<PaintedBar, 7> m_paintedBars{};  // Picture1 .. Picture7
  int m_quietTicks = 0;                       // magnifier ticks in a row that changed nothing
  // What the readouts show (the low 24 bits of the pixel read), from the first reading on.
  std::optional<host::ColorRef> m_shownColor;
  // The notation chosen last in a "Copy as" submenu: the one Ctrl+Shift+C copies in.
  ColorText::Notation m_copyNotation = ColorText::Notation::Html;
};

// The picker's start-up: names the system, registers the common controls, shows the window.
namespace ColorPickerMain {
bool InitCommonCtls();
}
