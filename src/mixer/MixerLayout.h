#pragma once

#include <span>

#include "host/forms/FormBuilder.h"

// The mixer panel's controls in the picker window: three frames with the RGB sliders over their
// bands, the shade slider between "Darker" and " Lighter", the swatch and the color texts. All of
// it lies right of the compact window's edge (4755 twips), so it shows only when the window is
// widened. Twips from the window's or the frame's inner corner.
namespace MixerLayout {

inline constexpr int kOpenWidth = 8565;  // the window with the panel open, twips

std::span<const host::ControlSpec> controls();
// Which caption label names which control of the panel, for a screen reader.
std::span<const host::CaptionLink> captions();

}  // namespace MixerLayout
