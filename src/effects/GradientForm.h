#pragma once

#include <cstdint>

#include "host/core/ColorRef.h"

namespace host {
class Form;
}

namespace GradientForm {

// Clears the window's persistent drawing and fills its whole inner area with a linear
// gradient from `startColor` to `endColor`: left to right for mode 0, top to bottom for mode 1.
void GradientFillForm(host::ColorRef startColor, host::ColorRef endColor, host::Form& window,
                      std::int16_t mode);

}  // namespace GradientForm
