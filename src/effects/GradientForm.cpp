#include "GradientForm.h"

#include "host/core/Convert.h"
#include "host/draw/Canvas.h"
#include "host/forms/Form.h"
#include "host/forms/Screen.h"

namespace GradientForm {

namespace {
host::TriVertex vertex(int x, int y, host::ColorRef c) {
  // 16-bit channels carry the 8-bit value in their high byte.
  return host::TriVertex{x,
                         y,
                         static_cast<std::uint16_t>(host::redOf(c) << 8),
                         static_cast<std::uint16_t>(host::greenOf(c) << 8),
                         static_cast<std::uint16_t>(host::blueOf(c) << 8),
                         0};
}
}  // namespace

void GradientFillForm(host::ColorRef startColor, host::ColorRef endColor, host::Form& window,
                      std::int16_t mode) {
  // Inner size in pixels: the scale size in twips and the twips per pixel, each rounded, then
  // divided with the remainder dropped.
  const int w = host::roundHalfEven(window.ScaleWidth()) /
                std::max(host::roundHalfEven(host::Screen::TwipsPerPixelX()), 1);
  const int h = host::roundHalfEven(window.ScaleHeight()) /
                std::max(host::roundHalfEven(host::Screen::TwipsPerPixelY()), 1);
  window.Cls();
  // The rectangle names the end vertex first; the canvas orders corners by position.
  window.GradientFill(vertex(w, h, endColor), vertex(0, 0, startColor),
                      mode == 1 ? host::GradientMode::Vertical : host::GradientMode::Horizontal);
}

}  // namespace GradientForm
