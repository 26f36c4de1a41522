// The drawing calls at any coordinates, up to the ends of the 32-bit range: lines, ellipses,
// rectangles, stretched copies and gradients on a small surface. Drawing outside the surface
// is clipped; nothing may crash, overflow or take longer than the surface's pixels need.
#include <fuzzer/FuzzedDataProvider.h>

#include <QImage>
#include <cstdint>

#include "host/draw/Canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  static const QImage source = [] {
    QImage s(7, 5, QImage::Format_RGB32);
    s.fill(0x336699);
    return s;
  }();
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(0);
  host::Canvas dc(image);
  auto coord = [&in] { return in.ConsumeIntegral<int>(); };
  for (int ops = 0; ops < 16 && in.remaining_bytes() > 0; ++ops) {
    switch (in.ConsumeIntegralInRange(0, 6)) {
      case 0:
        dc.MoveToEx(coord(), coord());
        dc.LineTo(coord(), coord());
        break;
      case 1:
        dc.Ellipse(coord(), coord(), coord(), coord());
        break;
      case 2:
        dc.Rectangle(coord(), coord(), coord(), coord());
        break;
      case 3:
        dc.FillRect(host::Rect{coord(), coord(), coord(), coord()}, 0x00FF00);
        break;
      case 4:
        dc.StretchBlt(coord(), coord(), coord(), coord(), source, coord(), coord(), coord(),
                      coord());
        break;
      case 5: {
        const host::TriVertex a{coord(), coord(), 0xFF00, 0x8000, 0, 0};
        const host::TriVertex b{coord(), coord(), 0, 0x4000, 0xFF00, 0};
        dc.GradientFill(
            a, b, in.ConsumeBool() ? host::GradientMode::Vertical : host::GradientMode::Horizontal);
        break;
      }
      case 6:
        dc.SetROP2(static_cast<host::Rop2>(in.ConsumeIntegralInRange(1, 16)));
        dc.SelectPen(in.ConsumeBool() ? std::optional<host::ColorRef>{} : 0xFF0000);
        dc.SelectBrush(in.ConsumeBool() ? std::optional<host::ColorRef>{} : 0x0000FF);
        break;
    }
  }
  return 0;
}
