#pragma once

#include <cstdint>

#include "about/frm_about.h"
#include "effects/cLogo.h"
#include "mixer/MixerPanel.h"
#include "picker/ColorPicker.h"
#include "zoom/CZoom.h"

// The picker window's private side as tests and benchmarks drive it: its timers, menu and
// controls under the window's own names, its handlers and what it owns; and the mixer panel's
// controls (found by name in the window, as the panel finds them) and state.
class ColorPickerProbe final : private host::ControlRefOwner {
 public:
  explicit ColorPickerProbe(ColorPicker& window) : picker(window) {}

  void Timer1_Timer() { picker.Timer1_Timer(); }
  void Timer_Timer() { picker.Timer_Timer(); }
  void mnuZoom_Click(int index) { picker.mnuZoom_Click(index); }
  void mnuItem_Click(int index) { picker.mnuItem_Click(index); }
  static constexpr int kQuietTicksBeforeRest = ColorPicker::kQuietTicksBeforeRest;
  CZoom* zoom() const { return picker.m_zoom.get(); }
  cLogo* logo() const { return picker.m_logo.get(); }
  frm_about* about() const { return picker.m_about.get(); }

  void btn_Mixer_Click() { picker.mixer().btn_Mixer_Click(); }
  bool mixerOpen() const { return picker.m_mixer != nullptr && picker.m_mixer->isOpen(); }

  ColorPicker& picker;
  host::Timer& Timer1 = picker.Timer1;
  host::Timer& Timer = picker.Timer;
  host::Menu& mnuPopup = picker.mnuPopup;
  std::array<host::MenuItem*, 3>& mnuItem = picker.mnuItem;
  std::vector<host::MenuItem*>& mnuZoom = picker.mnuZoom;

  host::ControlRef<host::Label>& lbl_mouse = picker.lbl_mouse;
  host::ControlRef<host::Label>& lbl_color = picker.lbl_color;
  host::ControlRef<host::Label>& lbl_red = picker.lbl_red;
  host::ControlRef<host::Label>& lbl_green = picker.lbl_green;
  host::ControlRef<host::Label>& lbl_blue = picker.lbl_blue;
  host::ControlRef<host::TextBox>& txt_Hex = picker.txt_Hex;
  host::ControlRef<host::TextBox>& txt_vbcode = picker.txt_vbcode;
  host::ControlRef<host::Label>& lbl_Hue = picker.lbl_Hue;
  host::ControlRef<host::Label>& lbl_Lum = picker.lbl_Lum;
  host::ControlRef<host::Label>& lbl_Sat = picker.lbl_Sat;
  host::ControlRef<host::Label>& lbl_gryR = picker.lbl_gryR;
  host::ControlRef<host::Label>& lbl_gryG = picker.lbl_gryG;
  host::ControlRef<host::Label>& lbl_gryB = picker.lbl_gryB;
  host::ControlRef<host::Label>& lbl_Grey = picker.lbl_Grey;
  host::ControlRef<host::Label>& lbl_C = picker.lbl_C;
  host::ControlRef<host::Label>& lbl_M = picker.lbl_M;
  host::ControlRef<host::Label>& lbl_Y = picker.lbl_Y;
  host::ControlRef<host::Label>& lbl_K = picker.lbl_K;
  host::ControlRef<host::PictureBox>& Picture1 = picker.Picture1;
  host::ControlRef<host::PictureBox>& Picture2 = picker.Picture2;
  host::ControlRef<host::PictureBox>& Picture3 = picker.Picture3;
  host::ControlRef<host::PictureBox>& Picture4 = picker.Picture4;
  host::ControlRef<host::PictureBox>& Picture5 = picker.Picture5;
  host::ControlRef<host::PictureBox>& Picture6 = picker.Picture6;
  host::ControlRef<host::PictureBox>& Picture7 = picker.Picture7;
  host::ControlRef<host::PictureBox>& Pic_zoom = picker.Pic_zoom;
  host::ControlRef<host::Label>& lbl_zoom_size = picker.lbl_zoom_size;
  host::ControlRef<host::Label>& lbl_Exit = picker.lbl_Exit;
  host::ControlRef<host::CheckBox>& Check1 = picker.Check1;
  host::ControlRef<host::CheckBox>& onTop = picker.onTop;
  host::ControlRef<host::PictureBox>& picLogo = picker.picLogo;
  host::ControlRef<CandyButton>& btn_Mixer = picker.btn_Mixer;
  host::ControlRef<host::Shape>& Shape3 = picker.Shape3;

  // The panel's controls are built on its first use; built here, so that its handles bind.
  MixerPanel& mixer = picker.mixer();
  host::ControlArray<HSliderBar> hsbRGB{*this, "hsbRGB"};
  host::ControlRef<HSliderBar> hsbShade{*this, "hsbShade"};
  host::ControlArray<host::TextBox> txtRGB{*this, "txtRGB"};
  host::ControlRef<host::TextBox> txtColorHtml{*this, "txtColorHtml"};
  host::ControlRef<host::TextBox> txtColorVB{*this, "txtColorVB"};
  host::ControlRef<host::Label> lblColorBox{*this, "lblColorBox"};

 private:
  // The window is built: each handle binds as it is declared.
  void addControlRef(host::ControlRefBase& ref) override { (void)ref.bind(picker); }
};
