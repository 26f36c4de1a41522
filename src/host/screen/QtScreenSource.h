#pragma once

#include "host/screen/ScreenSource.h"

namespace host {

// The display the application runs on, through QScreen::grabWindow and QCursor: where the
// display's own source is not available. The toolkit reads in device-independent pixels; a read
// is mapped onto the physical pixels it covers, so pixels and grabs are exact at any factor. The
// pointer, though, is known only to the nearest device-independent pixel, and moved only in
// those: at a factor other than 1 its position is approximate and it cannot be nudged.
class QtScreenSource final : public ScreenSource {
 public:
  QPoint cursorPos() override;
  ColorRef pixel(QPoint p) override;
  QImage grab(const QRect& r) override;
  std::optional<QRect> screenGeometryAt(QPoint p) override;
  QRect primaryGeometry() override;
  bool movePointerBy(QPoint delta) override;
};

}  // namespace host
