#include "SliderWindow.h"

#include <array>

#include "host/FormData.h"

namespace {

using host::ControlSpec;
using K = host::ControlKind;

constexpr host::ColorRef kPanelBlue = 0xD21702;  // red 2, green 23, blue 210
constexpr host::ColorRef kBand = 0xF5D3A9;       // red 169, green 211, blue 245
constexpr host::ColorRef kWhite = 0xFFFFFF;

constexpr host::ControlStyle kBandStyle{.back = kBand};
constexpr host::ControlStyle kValueStyle{
    .font = host::FontSpec{"Tahoma", 8.25, true}, .fore = kWhite, .transparent = true};

// Rows 300 twips (20 pixels) apart; each slider 30 twips inside its band. Twips.
constexpr std::array<ControlSpec, 12> kControls{{
    {.name = "lblBorder",
     .kind = K::Label,
     .style = &kBandStyle,
     .rect = {60, 120, 2490, 270},
     .index = 0},
    {.name = "lblBorder",
     .kind = K::Label,
     .style = &kBandStyle,
     .rect = {60, 420, 2490, 270},
     .index = 1},
    {.name = "lblBorder",
     .kind = K::Label,
     .style = &kBandStyle,
     .rect = {60, 720, 2490, 270},
     .index = 2},
    {.name = "lblBorder",
     .kind = K::Label,
     .style = &kBandStyle,
     .rect = {60, 1020, 3135, 270},
     .index = 3},
    {.name = "hsbRGB",
     .kind = K::User,
     .rect = {120, 150, 2370, 210},
     .index = 0,
     .create = host::makeUserControl<HSliderBar>,
     .section = "hsbRGB(0)"},
    {.name = "hsbRGB",
     .kind = K::User,
     .rect = {120, 450, 2370, 210},
     .index = 1,
     .create = host::makeUserControl<HSliderBar>,
     .section = "hsbRGB(1)"},
    {.name = "hsbRGB",
     .kind = K::User,
     .rect = {120, 750, 2370, 210},
     .index = 2,
     .create = host::makeUserControl<HSliderBar>,
     .section = "hsbRGB(2)"},
    {.name = "hsbShade",
     .kind = K::User,
     .rect = {120, 1050, 3015, 210},
     .create = host::makeUserControl<HSliderBar>},
    {.name = "lblValue",
     .kind = K::Label,
     .style = &kValueStyle,
     .rect = {3300, 150, 600, 210},
     .text = "0",
     .index = 0},
    {.name = "lblValue",
     .kind = K::Label,
     .style = &kValueStyle,
     .rect = {3300, 450, 600, 210},
     .text = "0",
     .index = 1},
    {.name = "lblValue",
     .kind = K::Label,
     .style = &kValueStyle,
     .rect = {3300, 750, 600, 210},
     .text = "0",
     .index = 2},
    {.name = "lblValue",
     .kind = K::Label,
     .style = &kValueStyle,
     .rect = {3300, 1050, 600, 210},
     .text = "0",
     .index = 3},
}};

}  // namespace

SliderWindow::SliderWindow() {
  setWindowTitle(QStringLiteral("Sliders"));
  BackColor(kPanelBlue);
  Width(4200);
  Height(1440);
  const host::FormData stored = host::FormData::load(QStringLiteral(":/forms/ColorPicker.txt"));
  buildControls({kControls}, stored);
  const std::array<HSliderBar*, 4> sliders{hsbRGB[0], hsbRGB[1], hsbRGB[2], hsbShade};
  for (std::size_t i = 0; i < sliders.size(); ++i) {
    host::Label* label = lblValue[i];
    sliders[i]->Change.connect(
        [label](std::int32_t& value) { label->Caption(QString::number(value)); });
  }
}
