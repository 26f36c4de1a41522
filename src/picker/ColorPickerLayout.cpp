#include "ColorPickerLayout.h"

#include <array>

namespace ColorPickerLayout {

namespace {
using L = Look;

// clang-format off
constexpr std::array kControls{
    ControlSpec{"Shape2", L::Band, {45, -15, 4920, 300}, "", ""},
    ControlSpec{"Shape1", L::Band, {120, 3210, 4890, 270}, "", ""},
    ControlSpec{"frameSwatches", L::FrameGrey, {315, 330, 990, 1290}, "", ""},
    ControlSpec{"frameZoom", L::FrameGrey, {300, 1725, 1215, 1395}, "", ""},
    ControlSpec{"frameDecimal", L::FrameGrey, {1590, 1725, 1260, 1395}, "", ""},
    ControlSpec{"frameCmyk", L::FrameGrey, {2925, 1755, 1770, 1305}, "", ""},
    ControlSpec{"frameHsbGrey", L::FrameGrey, {1590, 345, 1245, 1005}, "", ""},
    ControlSpec{"frameTexts", L::FrameGrey, {3165, 360, 1245, 930}, "", ""},
    ControlSpec{"frameZoomBox", L::FrameBlue, {330, 1950, 1170, 1170}, "", ""},
    ControlSpec{"frameColor", L::FrameBlue, {360, 495, 915, 480}, "", ""},
    ControlSpec{"frameGrey", L::FrameBlue, {360, 1110, 915, 480}, "", ""},
    ControlSpec{"Check1", L::CheckSwitch, {2910, 3225, 1815, 255}, "Switch On / Off", " Press Spacebar to switch this ON/OFF to record last color values. "},
    ControlSpec{"onTop", L::CheckOnTop, {270, 15, 1635, 255}, "Always on Top", " If checked, sets this window to always be on top of other windows."},
    ControlSpec{"picLogo", L::LogoStrip, {0, -30, 240, 4305}, "", ""},
    ControlSpec{"lbl_mouse", L::ReadoutTransparent, {2490, 30, 1590, 210}, "lbl_mouse", " Mouse Coordinates in pixels "},
    ControlSpec{"lbl_about", L::AboutLink, {4185, 30, 210, 210}, "?", " About Tintwell "},
    ControlSpec{"lbl_Exit", L::ExitLink, {4410, 30, 255, 210}, " X", " Exits Tintwell "},
    ControlSpec{"Label3", L::GroupTitle, {540, 345, 510, 210}, "Color", ""},
    ControlSpec{"lbl_color", L::Swatch, {360, 510, 915, 450}, "", " Color of pixel under cursor "},
    ControlSpec{"Label8", L::GroupTitle, {330, 960, 975, 195}, "Greyscale", ""},
    ControlSpec{"lbl_Grey", L::Swatch, {360, 1125, 915, 450}, "", " Color of pixel under cursor "},
    ControlSpec{"Label22", L::GroupTitle, {1785, 420, 345, 180}, "HSB", ""},
    ControlSpec{"Label18", L::RowCaption, {1605, 630, 195, 165}, "H:", ""},
    ControlSpec{"Label17", L::RowCaption, {1575, 855, 195, 165}, "S:", ""},
    ControlSpec{"label20", L::RowCaption, {1575, 1095, 195, 165}, "B:", ""},
    ControlSpec{"lbl_Hue", L::Readout, {1785, 585, 300, 195}, "100", " Hue value "},
    ControlSpec{"lbl_Lum", L::Readout, {1785, 840, 300, 195}, "100", " Luminance value "},
    ControlSpec{"lbl_Sat", L::Readout, {1785, 1080, 300, 195}, "100", " Saturation value "},
    ControlSpec{"Label24", L::Percent, {2100, 570, 180, 135}, "%", ""},
    ControlSpec{"Label26", L::Percent, {2085, 840, 165, 150}, "%", ""},
    ControlSpec{"Label28", L::Percent, {2085, 1095, 180, 150}, "%", ""},
    ControlSpec{"Label1", L::GroupTitle, {2400, 405, 405, 195}, "GREY", ""},
    ControlSpec{"Label19", L::RowCaption, {2265, 615, 195, 165}, "R:", ""},
    ControlSpec{"Label15", L::RowCaption, {2265, 855, 195, 165}, "G:", ""},
    ControlSpec{"Label14", L::RowCaption, {2265, 1110, 195, 165}, "B:", ""},
    ControlSpec{"lbl_gryR", L::Readout, {2460, 585, 330, 195}, "", " Greyscale value of RED "},
    ControlSpec{"lbl_gryG", L::Readout, {2460, 840, 330, 195}, "", " Greyscale value of GREEN "},
    ControlSpec{"lbl_gryB", L::Readout, {2460, 1095, 330, 195}, "", " Greyscale value of BLUE "},
    ControlSpec{"Label7", L::CaptionLeft, {3390, 390, 795, 195}, "VB Long", ""},
    ControlSpec{"txt_vbcode", L::TextBox, {3195, 570, 1185, 240}, "txt_vbcode", ""},
    ControlSpec{"Label10", L::GroupTitle, {3585, 840, 375, 180}, "HEX", ""},
    ControlSpec{"Label6", L::HexCaption, {3210, 1005, 195, 225}, "#:", ""},
    ControlSpec{"txt_Hex", L::TextBox, {3405, 1005, 765, 240}, "txt_Hex", ""},
    ControlSpec{"lbl_zoom_size", L::GroupTitleLeft, {345, 1740, 1050, 210}, "Zoom", ""},
    ControlSpec{"Pic_zoom", L::ZoomBox, {345, 1965, 1125, 1110}, "", " 5x Zoom at cursor "},
    ControlSpec{"Label4", L::GroupTitle, {1785, 1725, 855, 180}, "DECIMAL", ""},
    ControlSpec{"Label2", L::RowCaption, {1665, 1875, 195, 195}, "R", ""},
    ControlSpec{"Label9", L::RowCaption, {2055, 1875, 195, 195}, "G", ""},
    ControlSpec{"Label11", L::RowCaption, {2475, 1875, 195, 195}, "B", ""},
    ControlSpec{"Picture1", L::BarBox, {1710, 2025, 180, 885}, "", "Decimal value of RED"},
    ControlSpec{"Picture2", L::BarBox, {2115, 2025, 180, 885}, "", "Decimal value of GREEN"},
    ControlSpec{"Picture3", L::BarBox, {2505, 2025, 180, 885}, "", "Decimal value of BLUE"},
    ControlSpec{"lbl_red", L::Readout, {1605, 2895, 405, 180}, "", " Decimal value of RED "},
    ControlSpec{"lbl_green", L::Readout, {2010, 2895, 405, 180}, "", " Decimal value of GREEN "},
    ControlSpec{"lbl_blue", L::Readout, {2415, 2895, 405, 180}, "", " Decimal value of BLUE "},
    ControlSpec{"Label25", L::GroupTitle, {3675, 1770, 495, 180}, "CMYK", ""},
    ControlSpec{"Label23", L::RowCaption, {3060, 1890, 195, 195}, "C", ""},
    ControlSpec{"Label21", L::RowCaption, {3495, 1890, 195, 195}, "M", ""},
    ControlSpec{"Label16", L::RowCaption, {3915, 1890, 195, 195}, "Y", ""},
    ControlSpec{"Label27", L::RowCaption, {4350, 1890, 195, 195}, "K", ""},
    ControlSpec{"Picture4", L::BarBox, {3090, 2040, 180, 885}, "", "CYAN percentage"},
    ControlSpec{"Picture5", L::BarBox, {3525, 2040, 180, 885}, "", "MAGENTA percentage"},
    ControlSpec{"Picture6", L::BarBox, {3960, 2040, 180, 885}, "", "YELLOW percentage"},
    ControlSpec{"Picture7", L::BarBox, {4395, 2040, 180, 885}, "", "BLACK percentage"},
    ControlSpec{"lbl_C", L::Readout, {2940, 2910, 435, 180}, "", " Cyan value "},
    ControlSpec{"lbl_M", L::Readout, {3375, 2910, 435, 180}, "", " Magenta value "},
    ControlSpec{"lbl_Y", L::Readout, {3810, 2910, 435, 180}, "", " Yellow value "},
    ControlSpec{"lbl_K", L::Readout, {4245, 2910, 435, 180}, "", " Black value "},
    ControlSpec{"btn_Mixer", L::Button, {3060, 1305, 1650, 435}, "", ""},
    ControlSpec{"Shape3", L::ZoomMarker, {527, 527, 55, 55}, "", "", "Pic_zoom"},
};
// clang-format on
}  // namespace

std::span<const ControlSpec> controls() {
  return kControls;
}

int layerOf(Look look) {
  switch (look) {
    case Look::Band:
    case Look::FrameGrey:
    case Look::FrameBlue:
      return 0;
    case Look::TextBox:
    case Look::BarBox:
    case Look::ZoomBox:
    case Look::ZoomMarker:
    case Look::CheckOnTop:
    case Look::CheckSwitch:
    case Look::LogoStrip:
    case Look::Button:
      return 2;
    default:
      return 1;
  }
}

}  // namespace ColorPickerLayout
