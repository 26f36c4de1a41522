#pragma once

#include <cstdint>
#include <string>

#include "controls/button/CandyButton.h"
#include "controls/slider/HSliderBar.h"
#include "host/core/ColorRef.h"
#include "host/forms/ControlRef.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/TextBox.h"

class QMenu;

// What the mixer panel asks of the window that holds it: the window its controls were built in,
// the color to start from, room for the panel, sampling held while the panel is open, and the
// items that copy a color from its text boxes' edit menu.
class MixerOwner {
 public:
  virtual ~MixerOwner() = default;
  // The window that holds the panel's controls (MixerLayout, built by the window when the panel is
  // first asked for) and btn_Mixer, the button that opens and closes it.
  virtual host::Form& mixerWindow() = 0;
  // The frozen color, as the owner's "#:" box shows it (six hexadecimal digits, red first).
  virtual std::string frozenHexText() const = 0;
  // Lays the window out for the panel open (MixerLayout::kOpenWidth) or closed: its width, what
  // lies along its right edge, its shape and its background.
  virtual void fitMixer(bool open) = 0;
  // The mixer is for a frozen color. Held: both timers stopped and the sampling switch disabled.
  // Released: the switch enabled, sampling on whatever it was before, and the switch focused.
  virtual void holdSampling(bool hold) = 0;
  // Adds to a text box's edit menu the window's items that copy `color` (0x00BBGGRR).
  virtual void addCopyItems(QMenu& menu, host::ColorRef color) = 0;
};

// The mixer panel of the picker window: three channel sliders, the shade slider, the swatch and
// the color texts, opened right of the readouts on the color the picker froze. It owns the mixed
// color and the panel's handlers; the window (its width, timers and sampling switch) stays its
// owner's.
class MixerPanel final : private host::ControlRefOwner {
 public:
  // The owner's window has built the panel's controls already: binds them, connects their
  // handlers and hides the panel (closed, it lies beyond the window's edge anyway; hidden, Tab
  // and a screen reader skip it too). The owner connects btn_Mixer's Click to btn_Mixer_Click.
  explicit MixerPanel(MixerOwner& owner);
  MixerPanel(const MixerPanel&) = delete;
  MixerPanel& operator=(const MixerPanel&) = delete;

  // Opens or closes the panel (the button's caption tells which).
  void btn_Mixer_Click();
  bool isOpen() const;
  // The mixed color (0x00BBGGRR, always within 0..FFFFFF) and the shade slider's last position.
  host::ColorRef color() const { return mixColor; }
  std::int16_t shade() const { return lastShade; }

 private:
  // Each handle binds as it is declared, in the window built before the panel.
  void addControlRef(host::ControlRefBase& ref) override;
  void showPanel(bool on);
  // Shows mixColor in every control of the panel.
  void UpdateMixer();
  void hsbRGB_Change(int index, std::int32_t& value);
  void hsbShade_Change(std::int32_t& value);
  // Any button pressed on the swatch lifts a color-match window off it.
  void lblColorBox_MouseDown();

  MixerOwner& m_owner;
  host::Form& m_window;
  host::ControlRef<CandyButton> btn_Mixer{*this, "btn_Mixer"};
  host::ControlArray<HSliderBar> hsbRGB{*this, "hsbRGB"};
  host::ControlRef<HSliderBar> hsbShade{*this, "hsbShade"};
  host::ControlArray<host::TextBox> txtRGB{*this, "txtRGB"};
  host::ControlRef<host::TextBox> txtColorHtml{*this, "txtColorHtml"};
  host::ControlRef<host::TextBox> txtColorVB{*this, "txtColorVB"};
  host::ControlRef<host::Label> lblColorBox{*this, "lblColorBox"};
  host::ControlRef<host::Frame> fraColor{*this, "fraColor"};
  host::ControlRef<host::Frame> fraShade{*this, "fraShade"};
  host::ControlRef<host::Label> lblLighter{*this, "lblLighter"};

  host::ColorRef mixColor = 0;
  // Set while UpdateMixer writes to the panel, so the sliders' handlers leave its writes alone.
  bool mixerUpdating = false;
  std::int16_t lastShade = 0;
};
