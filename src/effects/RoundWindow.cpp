#include "RoundWindow.h"

#include "host/core/Convert.h"
#include "host/draw/Region.h"
#include "host/forms/Form.h"
#include "host/forms/Screen.h"

namespace RoundWindow {

void RoundWindowRgn(host::Form& window, int corner) {
  // Twips (single precision) to pixels, each quotient rounded half to even.
  const int w = host::roundHalfEven(static_cast<double>(static_cast<float>(window.Width())) /
                                    host::Screen::TwipsPerPixelX());
  const int h = host::roundHalfEven(static_cast<double>(static_cast<float>(window.Height())) /
                                    host::Screen::TwipsPerPixelY());
  window.SetWindowRgn(host::CreateRoundRectRgn(0, 0, w, h, corner, corner));
}

}  // namespace RoundWindow
