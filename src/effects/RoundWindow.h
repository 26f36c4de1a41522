#pragma once

namespace host {
class Form;
}

namespace RoundWindow {

// Clips a borderless window to its rectangle with corners rounded by a `corner` x `corner`
// pixel ellipse. Calling it again (after a width change) replaces the previous shape.
void RoundWindowRgn(host::Form& window, int corner);

}  // namespace RoundWindow
