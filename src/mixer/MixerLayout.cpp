#include "MixerLayout.h"

#include <array>

#include "controls/slider/HSliderBar.h"
#include "program/Palette.h"

namespace MixerLayout {

namespace {

using host::ControlSpec;
using host::ControlStyle;
using host::FontSpec;
using K = host::ControlKind;
using Align = host::Label::AlignmentKind;
using namespace Palette;
constexpr auto Names = host::Label::CaptionUse::Names;

// The panel's blue, and the light-blue bands behind the slider rows.
constexpr host::ColorRef kPanelBlue = 0xD21702;
constexpr host::ColorRef kBandBlue = 0xF5D3A9;
constexpr host::ColorRef kLightBlue = 0xFF9955;  // the "B" caption
constexpr FontSpec kBold{"Tahoma", 8.25, true};
constexpr FontSpec kSmallBold{"Tahoma", 6.75, true};

constexpr ControlStyle kFrame{.font = kBold, .back = kPanelBlue, .fore = kLightGrey};
constexpr ControlStyle kBand{.back = kBandBlue, .decoration = true};
constexpr ControlStyle kRedCaption{
    .font = kBold, .back = kBlack, .fore = kRed, .align = Align::Center};
constexpr ControlStyle kGreenCaption{
    .font = kBold, .back = kBlack, .fore = kGreen, .align = Align::Center};
constexpr ControlStyle kBlueCaption{
    .font = kBold, .back = kBlack, .fore = kLightBlue, .align = Align::Center};
// " Lighter" sits on the frame's top edge like a caption, on the frame's own blue.
constexpr ControlStyle kLighter{
    .font = kSmallBold, .back = kPanelBlue, .fore = kLightGrey, .align = Align::RightJustify};
constexpr ControlStyle kCaption{.font = kSmallBold, .fore = kWhite, .transparent = true};
constexpr ControlStyle kSwatch{.back = kBlack, .border = true, .swatch = true};
// The boxes show the mixed color; what is typed into them is never read back.
constexpr ControlStyle kText{.font = FontSpec{"Tahoma", 6.75}, .back = kLightGrey};

constexpr auto kSlider = host::makeUserControl<HSliderBar>;

// clang-format off
constexpr std::array kControls{
    ControlSpec{"fraRGBColors", K::Frame, &kFrame, {5175, 375, 3195, 1200}, "RGB Colors"},
    ControlSpec{"lblBorder", K::Label, &kBand, {90, 225, 3030, 270}, "", "", "fraRGBColors", 0},
    ControlSpec{"lblBorder", K::Label, &kBand, {90, 525, 3030, 270}, "", "", "fraRGBColors", 1},
    ControlSpec{"lblBorder", K::Label, &kBand, {90, 825, 3030, 270}, "", "", "fraRGBColors", 2},
    ControlSpec{"lblRGB", K::Label, &kRedCaption, {120, 255, 285, 210}, "R", "", "fraRGBColors", 0},
    ControlSpec{"lblRGB", K::Label, &kGreenCaption, {120, 555, 285, 210}, "G", "", "fraRGBColors", 1},
    ControlSpec{"lblRGB", K::Label, &kBlueCaption, {120, 855, 285, 210}, "B", "", "fraRGBColors", 2},
    ControlSpec{"txtRGB", K::TextBox, &kText, {2760, 255, 330, 210}, "", "", "fraRGBColors", 0},
    ControlSpec{"txtRGB", K::TextBox, &kText, {2760, 555, 330, 210}, "", "", "fraRGBColors", 1},
    ControlSpec{"txtRGB", K::TextBox, &kText, {2760, 855, 330, 210}, "", "", "fraRGBColors", 2},
    // The RGB sliders belong to the window and lie over the frame's bands.
    ControlSpec{"hsbRGB", K::User, nullptr, {5565, 630, 2370, 210}, "", "", "", 0, kSlider, "hsbRGB(0)"},
    ControlSpec{"hsbRGB", K::User, nullptr, {5580, 930, 2370, 210}, "", "", "", 1, kSlider, "hsbRGB(1)"},
    ControlSpec{"hsbRGB", K::User, nullptr, {5580, 1230, 2370, 210}, "", "", "", 2, kSlider, "hsbRGB(2)"},
    ControlSpec{"fraShade", K::Frame, &kFrame, {5190, 1575, 3150, 495}, "Darker"},
    ControlSpec{"hsbShade", K::User, nullptr, {60, 195, 3015, 210}, "", "", "fraShade", -1, kSlider},
    ControlSpec{"lblLighter", K::Label, &kLighter, {2505, -15, 585, 165}, " Lighter", "", "fraShade"},
    ControlSpec{"fraColor", K::Frame, &kFrame, {5175, 2085, 3195, 1005}, "Color"},
    ControlSpec{"lblColorBox", K::Label, &kSwatch, {75, 105, 915, 795}, "", "Click-n-Drag to check color match", "fraColor"},
    ControlSpec{"lblHtmlColor", K::Label, &kCaption, {1485, 75, 900, 165}, "HTML Color", "", "fraColor"},
    ControlSpec{"txtColorHtml", K::TextBox, &kText, {1440, 210, 975, 240}, "#000000", "", "fraColor"},
    ControlSpec{"lblVBHexColor", K::Label, &kCaption, {1470, 540, 1005, 165}, "VB Hex Color", "", "fraColor"},
    ControlSpec{"txtColorVB", K::TextBox, &kText, {1410, 675, 1080, 240}, "&H0&", "", "fraColor"},
};

// For a screen reader: the channel captions name their text boxes and sliders, the two color
// captions their boxes.
constexpr std::array kCaptions{
    host::CaptionLink{"lblRGB", "txtRGB", Names, 0, 0},
    host::CaptionLink{"lblRGB", "txtRGB", Names, 1, 1},
    host::CaptionLink{"lblRGB", "txtRGB", Names, 2, 2},
    host::CaptionLink{"lblRGB", "hsbRGB", Names, 0, 0},
    host::CaptionLink{"lblRGB", "hsbRGB", Names, 1, 1},
    host::CaptionLink{"lblRGB", "hsbRGB", Names, 2, 2},
    host::CaptionLink{"lblHtmlColor", "txtColorHtml", Names},
    host::CaptionLink{"lblVBHexColor", "txtColorVB", Names},
};
// clang-format on

}  // namespace

std::span<const ControlSpec> controls() {
  return kControls;
}

std::span<const host::CaptionLink> captions() {
  return kCaptions;
}

}  // namespace MixerLayout
