#include "ColorPickerLayout.h"

#include "controls/button/CandyButton.h"
#include "program/Palette.h"

namespace ColorPickerLayout {

namespace {

using host::ControlSpec;
using host::ControlStyle;
using host::FontSpec;
using K = host::ControlKind;
using Align = host::Label::AlignmentKind;
using namespace Palette;
constexpr auto Names = host::Label::CaptionUse::Names;

constexpr FontSpec kSmall{"Tahoma", 6.75};
constexpr FontSpec kSmallBold{"Tahoma", 6.75, true};

// Labels.
constexpr ControlStyle kGroupTitle{
    .font = kSmallBold, .fore = kYellow, .align = Align::Center, .transparent = true};
constexpr ControlStyle kGroupTitleLeft{
    .font = kSmallBold, .fore = kYellow, .align = Align::LeftJustify, .transparent = true};
constexpr ControlStyle kRowCaption{
    .font = kSmallBold, .fore = kCyan, .align = Align::RightJustify, .transparent = true};
constexpr ControlStyle kCaptionLeft{
    .font = kSmallBold, .fore = kCyan, .align = Align::LeftJustify, .transparent = true};
constexpr ControlStyle kPercent{
    .font = kSmallBold, .fore = kWhite, .align = Align::LeftJustify, .transparent = true};
constexpr ControlStyle kHexCaption{.font = FontSpec{"Tahoma", 8.25, true},
                                   .fore = kWhite,
                                   .align = Align::RightJustify,
                                   .transparent = true};
constexpr ControlStyle kReadout{.font = kSmall,
                                .back = kLightGrey,
                                .fore = host::SystemColor::WindowText,
                                .align = Align::Center,
                                .border = true};
// The mouse position: a readout with the window's gradient showing through.
constexpr ControlStyle kReadoutTransparent{.font = kSmall,
                                           .back = kLightGrey,
                                           .fore = kLightGrey,
                                           .align = Align::Center,
                                           .border = true,
                                           .transparent = true};
constexpr ControlStyle kSwatch{.back = kBlack, .border = true, .swatch = true};
constexpr ControlStyle kAboutLink{
    .font = kSmallBold, .back = kLightGrey, .fore = kBlue, .align = Align::Center, .border = true};
constexpr ControlStyle kExitLink{.font = FontSpec{"MS Sans Serif", 8.25, true},
                                 .back = kRed,
                                 .fore = kLightGrey,
                                 .border = true};

// Windowed controls.
constexpr ControlStyle kTextBox{.font = kSmall, .back = kLightGrey, .locked = true};
constexpr ControlStyle kSwitch{
    .font = FontSpec{"Tahoma", 8.25, true}, .back = kNearBlack, .fore = kGreen, .ticked = true};
constexpr ControlStyle kOnTop{
    .font = kSmallBold, .back = kNearBlack, .fore = kLightGrey, .ticked = true};
// A screen reader skips the bars, which repeat the readouts beneath them, and the logo strip.
constexpr ControlStyle kBarBox{.decoration = true};
constexpr ControlStyle kZoomBox{.back = host::SystemColor::WindowBackground, .border = false};
constexpr ControlStyle kLogoStrip{.font = FontSpec{"Arial", 8.25, true},
                                  .back = kGrey,
                                  .fore = kWhite,
                                  .border = false,
                                  .decoration = true};

// Shapes: the dark bands, the grey and the heavier blue outlines, the magnifier's marker.
constexpr ControlStyle kBand{.fore = kBlack, .fill = kNearBlack};
constexpr ControlStyle kFrameGrey{.fore = kDarkGrey};
constexpr ControlStyle kFrameBlue{.fore = kBlue, .borderWidth = 2};
constexpr ControlStyle kZoomMarker{.fore = kRed};

// clang-format off
constexpr std::array kControls{
    ControlSpec{"Shape2", K::Shape, &kBand, {45, -15, kBandWidthClosed, 300}},
    ControlSpec{"Shape1", K::Shape, &kBand, {120, 3210, 4890, 270}},
    // The frames around the groups have no name of their own in the design.
    ControlSpec{"frameSwatches", K::Shape, &kFrameGrey, {315, 330, 990, 1290}},
    ControlSpec{"frameZoom", K::Shape, &kFrameGrey, {300, 1725, 1215, 1395}},
    ControlSpec{"frameDecimal", K::Shape, &kFrameGrey, {1590, 1725, 1260, 1395}},
    ControlSpec{"frameCmyk", K::Shape, &kFrameGrey, {2925, 1755, 1770, 1305}},
    ControlSpec{"frameHsbGrey", K::Shape, &kFrameGrey, {1590, 345, 1245, 1005}},
    ControlSpec{"frameTexts", K::Shape, &kFrameGrey, {3165, 360, 1245, 930}},
    ControlSpec{"frameZoomBox", K::Shape, &kFrameBlue, {330, 1950, 1170, 1170}},
    ControlSpec{"frameColor", K::Shape, &kFrameBlue, {360, 495, 915, 480}},
    ControlSpec{"frameGrey", K::Shape, &kFrameBlue, {360, 1110, 915, 480}},
    ControlSpec{"Check1", K::CheckBox, &kSwitch, {2910, 3225, 1815, 255}, "Switch On / Off", " Press Spacebar to switch this ON/OFF to record last color values. "},
    ControlSpec{"onTop", K::CheckBox, &kOnTop, {270, 15, 1635, 255}, "Always on Top", " If checked, sets this window to always be on top of other windows."},
    ControlSpec{"picLogo", K::PictureBox, &kLogoStrip, {0, -30, 240, 4305}},
    ControlSpec{"lbl_mouse", K::Label, &kReadoutTransparent, {2490, 30, 1590, 210}, "lbl_mouse", " Mouse Coordinates in pixels "},
    ControlSpec{"lbl_about", K::Label, &kAboutLink, {kAboutLeftClosed, 30, 210, 210}, "?", " About Tintwell "},
    ControlSpec{"lbl_Exit", K::Label, &kExitLink, {kExitLeftClosed, 30, 255, 210}, " X", " Exits Tintwell "},
    ControlSpec{"Label3", K::Label, &kGroupTitle, {540, 345, 510, 210}, "Color"},
    ControlSpec{"lbl_color", K::Label, &kSwatch, {360, 510, 915, 450}, "", " Color of pixel under cursor "},
    ControlSpec{"Label8", K::Label, &kGroupTitle, {330, 960, 975, 195}, "Greyscale"},
    ControlSpec{"lbl_Grey", K::Label, &kSwatch, {360, 1125, 915, 450}, "", " Color of pixel under cursor "},
    ControlSpec{"Label22", K::Label, &kGroupTitle, {1785, 420, 345, 180}, "HSB"},
    ControlSpec{"Label18", K::Label, &kRowCaption, {1605, 630, 195, 165}, "H:"},
    ControlSpec{"Label17", K::Label, &kRowCaption, {1575, 855, 195, 165}, "S:"},
    ControlSpec{"label20", K::Label, &kRowCaption, {1575, 1095, 195, 165}, "B:"},
    ControlSpec{"lbl_Hue", K::Label, &kReadout, {1785, 585, 300, 195}, "100", " Hue value "},
    ControlSpec{"lbl_Lum", K::Label, &kReadout, {1785, 840, 300, 195}, "100", " Luminance value "},
    ControlSpec{"lbl_Sat", K::Label, &kReadout, {1785, 1080, 300, 195}, "100", " Saturation value "},
    ControlSpec{"Label24", K::Label, &kPercent, {2100, 570, 180, 135}, "%"},
    ControlSpec{"Label26", K::Label, &kPercent, {2085, 840, 165, 150}, "%"},
    ControlSpec{"Label28", K::Label, &kPercent, {2085, 1095, 180, 150}, "%"},
    ControlSpec{"Label1", K::Label, &kGroupTitle, {2400, 405, 405, 195}, "GREY"},
    ControlSpec{"Label19", K::Label, &kRowCaption, {2265, 615, 195, 165}, "R:"},
    ControlSpec{"Label15", K::Label, &kRowCaption, {2265, 855, 195, 165}, "G:"},
    ControlSpec{"Label14", K::Label, &kRowCaption, {2265, 1110, 195, 165}, "B:"},
    ControlSpec{"lbl_gryR", K::Label, &kReadout, {2460, 585, 330, 195}, "", " Greyscale value of RED "},
    ControlSpec{"lbl_gryG", K::Label, &kReadout, {2460, 840, 330, 195}, "", " Greyscale value of GREEN "},
    ControlSpec{"lbl_gryB", K::Label, &kReadout, {2460, 1095, 330, 195}, "", " Greyscale value of BLUE "},
    ControlSpec{"Label7", K::Label, &kCaptionLeft, {3390, 390, 795, 195}, "VB Long"},
    ControlSpec{"txt_vbcode", K::TextBox, &kTextBox, {3195, 570, 1185, 240}, "txt_vbcode"},
    ControlSpec{"Label10", K::Label, &kGroupTitle, {3585, 840, 375, 180}, "HEX"},
    ControlSpec{"Label6", K::Label, &kHexCaption, {3210, 1005, 195, 225}, "#:"},
    ControlSpec{"txt_Hex", K::TextBox, &kTextBox, {3405, 1005, 765, 240}, "txt_Hex"},
    ControlSpec{"lbl_zoom_size", K::Label, &kGroupTitleLeft, {345, 1740, 1050, 210}, "Zoom"},
    ControlSpec{"Pic_zoom", K::PictureBox, &kZoomBox, {345, 1965, 1125, 1110}, "", " 5x Zoom at cursor "},
    ControlSpec{"Shape3", K::Shape, &kZoomMarker, {527, 527, 55, 55}, "", "", "Pic_zoom"},
    ControlSpec{"Label4", K::Label, &kGroupTitle, {1785, 1725, 855, 180}, "DECIMAL"},
    ControlSpec{"Label2", K::Label, &kRowCaption, {1665, 1875, 195, 195}, "R"},
    ControlSpec{"Label9", K::Label, &kRowCaption, {2055, 1875, 195, 195}, "G"},
    ControlSpec{"Label11", K::Label, &kRowCaption, {2475, 1875, 195, 195}, "B"},
    ControlSpec{"Picture1", K::PictureBox, &kBarBox, {1710, 2025, 180, 885}, "", "Decimal value of RED"},
    ControlSpec{"Picture2", K::PictureBox, &kBarBox, {2115, 2025, 180, 885}, "", "Decimal value of GREEN"},
    ControlSpec{"Picture3", K::PictureBox, &kBarBox, {2505, 2025, 180, 885}, "", "Decimal value of BLUE"},
    ControlSpec{"lbl_red", K::Label, &kReadout, {1605, 2895, 405, 180}, "", " Decimal value of RED "},
    ControlSpec{"lbl_green", K::Label, &kReadout, {2010, 2895, 405, 180}, "", " Decimal value of GREEN "},
    ControlSpec{"lbl_blue", K::Label, &kReadout, {2415, 2895, 405, 180}, "", " Decimal value of BLUE "},
    ControlSpec{"Label25", K::Label, &kGroupTitle, {3675, 1770, 495, 180}, "CMYK"},
    ControlSpec{"Label23", K::Label, &kRowCaption, {3060, 1890, 195, 195}, "C"},
    ControlSpec{"Label21", K::Label, &kRowCaption, {3495, 1890, 195, 195}, "M"},
    ControlSpec{"Label16", K::Label, &kRowCaption, {3915, 1890, 195, 195}, "Y"},
    ControlSpec{"Label27", K::Label, &kRowCaption, {4350, 1890, 195, 195}, "K"},
    ControlSpec{"Picture4", K::PictureBox, &kBarBox, {3090, 2040, 180, 885}, "", "CYAN percentage"},
    ControlSpec{"Picture5", K::PictureBox, &kBarBox, {3525, 2040, 180, 885}, "", "MAGENTA percentage"},
    ControlSpec{"Picture6", K::PictureBox, &kBarBox, {3960, 2040, 180, 885}, "", "YELLOW percentage"},
    ControlSpec{"Picture7", K::PictureBox, &kBarBox, {4395, 2040, 180, 885}, "", "BLACK percentage"},
    ControlSpec{"lbl_C", K::Label, &kReadout, {2940, 2910, 435, 180}, "", " Cyan value "},
    ControlSpec{"lbl_M", K::Label, &kReadout, {3375, 2910, 435, 180}, "", " Magenta value "},
    ControlSpec{"lbl_Y", K::Label, &kReadout, {3810, 2910, 435, 180}, "", " Yellow value "},
    ControlSpec{"lbl_K", K::Label, &kReadout, {4245, 2910, 435, 180}, "", " Black value "},
    ControlSpec{"btn_Mixer", K::User, nullptr, {3060, 1305, 1650, 435}, "", "", "", -1, host::makeUserControl<CandyButton>},
};

// For a screen reader: the captions that name the swatches, the text boxes and the magnifier,
// and those beside or above the readouts, whose names are their own values.
constexpr std::array kCaptions{
    host::CaptionLink{"Label3", "lbl_color", Names},
    host::CaptionLink{"Label8", "lbl_Grey", Names},
    host::CaptionLink{"Label7", "txt_vbcode", Names},
    host::CaptionLink{"Label6", "txt_Hex", Names},
    host::CaptionLink{"lbl_zoom_size", "Pic_zoom", Names},
    host::CaptionLink{"Label18", "lbl_Hue"},
    host::CaptionLink{"Label17", "lbl_Lum"},
    host::CaptionLink{"label20", "lbl_Sat"},
    host::CaptionLink{"Label19", "lbl_gryR"},
    host::CaptionLink{"Label15", "lbl_gryG"},
    host::CaptionLink{"Label14", "lbl_gryB"},
    host::CaptionLink{"Label2", "lbl_red"},
    host::CaptionLink{"Label9", "lbl_green"},
    host::CaptionLink{"Label11", "lbl_blue"},
    host::CaptionLink{"Label23", "lbl_C"},
    host::CaptionLink{"Label21", "lbl_M"},
    host::CaptionLink{"Label16", "lbl_Y"},
    host::CaptionLink{"Label27", "lbl_K"},
};
// clang-format on

}  // namespace

std::span<const ControlSpec> controls() {
  return kControls;
}

std::span<const host::CaptionLink> captions() {
  return kCaptions;
}

}  // namespace ColorPickerLayout
