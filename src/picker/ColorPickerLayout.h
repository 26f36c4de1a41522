#pragma once

#include <array>
#include <span>
#include <string_view>

#include "host/Twips.h"

// The stored design of the picker window's labels, text boxes and bar boxes: names, twips
// rectangles (left, top, width, height from the window's inner top-left corner), texts and
// tooltips. Texts are UTF-8.
namespace ColorPickerLayout {

inline constexpr int kCompactWidth = 4755;  // twips, with the mixer panel closed
inline constexpr int kHeight = 3525;        // twips

// The magnifier's factors, by element of the zoom submenu (captioned "1x" .. "25x").
inline constexpr std::array<int, 7> kZoomFactors{1, 2, 3, 4, 5, 15, 25};

enum class Look {
  GroupTitle,          // Tahoma 6.75 bold, transparent, yellow, centred
  GroupTitleLeft,      // the same, left-aligned
  RowCaption,          // Tahoma 6.75 bold, transparent, cyan, right-aligned
  CaptionLeft,         // the same, left-aligned
  Readout,             // Tahoma 6.75, light grey, system text color, border, centred
  ReadoutTransparent,  // the mouse position: transparent, light grey text, border, centred
  Swatch,              // opaque, border, no text
  Percent,             // "%" signs: Tahoma 6.75 bold, white, transparent
  HexCaption,          // "#:": Tahoma 8.25 bold, white, transparent, right-aligned
  AboutLink,           // "?": light grey, blue text, bold, border, centred
  ExitLink,            // " X": red, light grey text, MS Sans Serif 8.25 bold, border
  TextBox,             // read-only text box: light grey, Tahoma 6.75, left-aligned
  BarBox,              // bar graph picture box
  ZoomBox,             // the magnifier: borderless picture box in the system window color
  Band,                // filled rectangle 222222 with a black outline
  FrameGrey,           // outline 404040
  FrameBlue,           // outline FF0000, two pixels
  ZoomMarker,          // the square over the magnified cursor pixel (inside Pic_zoom)
  CheckOnTop,          // "Always on Top": 222222, light grey text, Tahoma 6.75 bold, ticked
  CheckSwitch,         // "Switch On / Off": 222222, green text, Tahoma 8.25 bold, ticked
  LogoStrip,           // the logo strip: borderless picture box, grey, white Arial 8.25 bold
  Button,              // an owner-drawn button, its properties from the stored form data
};

// Controls are created shapes first, then labels, then the windowed controls, so that the
// lighter controls lie beneath as the runtime draws them.
int layerOf(Look look);

struct ControlSpec {
  std::string_view name;  // the frames have no name of their own in the design
  Look look;
  host::TwipsRect rect;
  std::string_view text;
  std::string_view tooltip;
  std::string_view container = {};  // the control it sits in, if not the window
};

std::span<const ControlSpec> controls();

}  // namespace ColorPickerLayout
