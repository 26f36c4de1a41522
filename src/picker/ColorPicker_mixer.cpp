// The mixer panel of the picker window: opening and closing it, showing the mixed color in every
// control, the four sliders, the swatch's color-match window and the texts' selection.
#include <QString>

#include "ColorPicker.h"
#include "ColorPickerLayout.h"
#include "color/ColorText.h"
#include "controls/slider/HSliderBar.h"
#include "host/forms/Control.h"
#include "host/forms/Frame.h"
#include "mixer/MixerLayout.h"
#include "mixer/MixerModel.h"
#include "mixer/frmColor.h"

namespace {
const QString kOpenCaption = QStringLiteral("ColorMixer »»»");  // shown while the panel is closed
const QString kCloseCaption = QStringLiteral("««« ColorMixer");
}  // namespace

void ColorPicker::wireMixer() {
  btn_Mixer->Click.connect([this] { btn_Mixer_Click(); });
  for (std::size_t i = 0; i < hsbRGB.size(); ++i) {
    hsbRGB[i]->Change.connect(
        [this, i](std::int32_t& value) { hsbRGB_Change(static_cast<int>(i), value); });
  }
  hsbShade->Change.connect([this](std::int32_t& value) { hsbShade_Change(value); });
  lblColorBox->MouseDown.connect([this](const host::MouseArgs&) { lblColorBox_MouseDown(); });
  txtColorHtml->GotFocus.connect([this] { selectWholeText(*txtColorHtml); });
  txtColorVB->GotFocus.connect([this] { selectWholeText(*txtColorVB); });
  // For a screen reader: the swatch takes its frame's caption ("Color"); the shade slider, which
  // has a caption at each end, both.
  lblColorBox->setAccessibleName(fraColor->Caption());
  hsbShade->setAccessibleName(control<host::Frame>("fraShade")->Caption() + QStringLiteral(" / ") +
                              control<host::Label>("lblLighter")->Caption().trimmed());
}

void ColorPicker::showMixerPanel(bool on) {
  for (const host::ControlSpec& c : MixerLayout::controls()) {
    if (!c.container.empty()) continue;  // inside a frame of the panel
    if (QWidget* w = host::findControl(*this, c.name, c.index)) w->setVisible(on);
  }
}

bool ColorPicker::mixerOpen() const {
  return btn_Mixer->Caption() != kOpenCaption;
}

void ColorPicker::btn_Mixer_Click() {
  if (!mixerOpen()) {
    btn_Mixer->Caption(kCloseCaption);
    Width(MixerLayout::kOpenWidth);
    showMixerPanel(true);
    Shape2->Width(MixerLayout::kBandWidthOpen);
    host::setLeftTwips(*lbl_Exit, MixerLayout::kExitLeftOpen);
    host::setLeftTwips(*lbl_about, MixerLayout::kAboutLeftOpen);
    mixColor = MixerModel::colorFromHexText(txt_Hex->Text().toStdString());
    UpdateMixer();
    // Sampling stays off while the panel is open.
    runTimers(false);
    Check1->Enabled(false);
  } else {
    btn_Mixer->Caption(kOpenCaption);
    showMixerPanel(false);
    Width(ColorPickerLayout::kCompactWidth);
    Shape2->Width(MixerLayout::kBandWidthClosed);
    host::setLeftTwips(*lbl_Exit, MixerLayout::kExitLeftClosed);
    host::setLeftTwips(*lbl_about, MixerLayout::kAboutLeftClosed);
    runTimers(false);
    // Closing always switches sampling on: ticking the switch raises its Click when it changes.
    Check1->Enabled(true);
    if (Check1->Value() == 1) {
      Check1_Click();
    } else {
      Check1->Value(1);
    }
    focusSwitch();
  }
  // The window's shape and background for its new width, as when it loads.
  shapeWindow();
}

void ColorPicker::UpdateMixer() {
  mixerUpdating = true;
  lblColorBox->BackColor(mixColor);
  txtColorVB->Text(QString::fromStdString(ColorText::vbLong(mixColor)));
  txtColorHtml->Text(QString::fromStdString(ColorText::html(mixColor)));
  const MixerModel::View v = MixerModel::viewOf(mixColor);
  // Values set from code raise no Change.
  hsbRGB[0]->value(v.R);
  hsbRGB[1]->value(v.G);
  hsbRGB[2]->value(v.B);
  hsbShade->value(v.shade);
  lastShade = static_cast<std::int16_t>(v.shade);
  const int channels[] = {v.R, v.G, v.B};
  for (std::size_t i = 0; i < 3; ++i) {
    host::TextBox& box = *txtRGB[i];
    if (const auto text = MixerModel::channelBoxText(box.Text().toStdString(), channels[i])) {
      box.Text(QString::fromStdString(*text));
      box.SelStart(static_cast<int>(box.Text().size()));
    }
  }
  mixerUpdating = false;
}

void ColorPicker::hsbRGB_Change(int /*index*/, std::int32_t& /*value*/) {
  if (mixerUpdating) return;
  // The whole color from all three sliders, whichever moved.
  mixColor = host::RGB(hsbRGB[0]->value(), hsbRGB[1]->value(), hsbRGB[2]->value());
  UpdateMixer();
}

void ColorPicker::hsbShade_Change(std::int32_t& /*value*/) {
  if (!mixerUpdating) {
    mixColor = MixerModel::shadeStep(hsbRGB[0]->value(), hsbRGB[1]->value(), hsbRGB[2]->value(),
                                     static_cast<std::int16_t>(hsbShade->value()), lastShade);
    UpdateMixer();
  }
  // Always: the shade slider as it now stands (after a clamp, the new mean).
  lastShade = static_cast<std::int16_t>(hsbShade->value());
}

void ColorPicker::lblColorBox_MouseDown() {
  frmColor::lift(*lblColorBox, *fraColor);
}
