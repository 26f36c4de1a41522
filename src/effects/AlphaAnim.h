#pragma once

#include <string_view>

namespace host {
class Form;
}

namespace AlphaAnim {

// Animates a window in normal state (minimized and maximized windows are left alone):
//  - "in": the window grows from a point at its centre to its full size in `steps` steps,
//    visible and redrawn at every step, sleeping `pause` ms after each;
//  - "out": the reverse, shrinking towards the centre, after which the window is hidden and
//    given back its geometry, ready to be unloaded or shown again.
// Any other text (compared exactly) does nothing, and so does a step count below 1. The window
// always ends at exactly the left, top, width and height it had.
void AnimateForm(host::Form& window, int steps, int pause, std::string_view effect);

}  // namespace AlphaAnim
