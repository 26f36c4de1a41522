#include "twProgressBar.h"

#include "host/forms/Forms.h"
#include "host/forms/PictureBox.h"

namespace twProgressBar {

void drawBar(host::PictureBox& box, std::int32_t max, std::int32_t value) {
  box.ScaleHeight(max);
  if (value > max) return;
  box.Cls();
  box.Line(0, max, box.ScaleWidth(), max - value, std::nullopt,
           host::PictureBox::LineKind::BoxFilled);
}

void DrawBarBlack(host::PictureBox& box, std::int32_t max, std::int32_t value, std::int32_t) {
  drawBar(box, max, value);
  host::DoEvents();
}

}  // namespace twProgressBar
