#pragma once

#include <array>
#include <span>

#include "host/forms/FormBuilder.h"
#include "zoom/ZoomPlan.h"

// The stored design of the picker window: its controls with their names, kinds, looks, twips
// rectangles (left, top, width, height from the container's inner top-left corner), texts and
// tooltips, built by host::buildControls. Texts are UTF-8.
namespace ColorPickerLayout {

inline constexpr int kCompactWidth = 4755;  // twips, with the mixer panel closed
inline constexpr int kHeight = 3525;        // twips

// What lies along the window's right edge follows it when the mixer panel opens: the dark top
// band's width and the "?" and " X" links' lefts, in twips, closed (as laid out) and open.
inline constexpr int kBandWidthClosed = 4920;  // Shape2
inline constexpr int kBandWidthOpen = 9045;
inline constexpr int kAboutLeftClosed = 4185;  // lbl_about
inline constexpr int kAboutLeftOpen = 7890;
inline constexpr int kExitLeftClosed = 4410;  // lbl_Exit
inline constexpr int kExitLeftOpen = 8155;

// The magnifier's factors, by element of the zoom submenu (captioned "1x" .. "25x").
inline constexpr std::array<int, 7> kZoomFactors{1, 2, 3, 4, 5, 15, 25};
// The factor the magnifier loads with, and its element of the submenu.
inline constexpr int kDefaultZoomFactor = ::kDefaultZoomFactor;
inline constexpr int kDefaultZoomItem = 4;
static_assert(kZoomFactors[kDefaultZoomItem] == kDefaultZoomFactor);

std::span<const host::ControlSpec> controls();
// Which caption label names or is related to which control, for a screen reader.
std::span<const host::CaptionLink> captions();

}  // namespace ColorPickerLayout
