#include "ZoomPlan.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "host/core/Convert.h"

namespace {

// The plan is reckoned in 64 bits, so a cursor, target or screen near the ends of the 32-bit
// range cannot wrap; a result past that range (far outside any canvas) stops at its end.
int fit(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace

host::Rect ZoomPlan::copyRect(const ZoomInput& in) const {
  const std::int64_t left = std::int64_t{in.destX} + offX;
  const std::int64_t top = std::int64_t{in.destY} + offY;
  return host::Rect{fit(left), fit(top), fit(left + std::int64_t{in.factor} * cols),
                    fit(top + std::int64_t{in.factor} * rows)};
}

ZoomPlan planZoom(const ZoomInput& in) {
  ZoomPlan p;
  const std::int64_t z = in.factor;
  if (z <= 0) return p;
  std::int64_t cols = in.destW / z;
  std::int64_t rows = in.destH / z;
  if (cols <= 0 || rows <= 0) return p;
  p.paints = true;
  // A partly visible last column and row, cut by the canvas edge (while the painted area stays
  // within 32 bits).
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  if (!in.fullPixelsOnly) {
    if (in.destW % z != 0 && z * (cols + 1) <= kMax) ++cols;
    if (in.destH % z != 0 && z * (rows + 1) <= kMax) ++rows;
  }
  std::int64_t sx = in.cursorX;
  std::int64_t sy = in.cursorY;
  if (in.mouseCentered) {
    sx -= cols / 2;
    sy -= rows / 2;
  }
  const std::int64_t fullW = z * cols;
  const std::int64_t fullH = z * rows;
  p.fullW = fit(fullW);
  p.fullH = fit(fullH);
  std::int64_t offX = 0;
  std::int64_t offY = 0;

  auto fill = [&p](std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    p.fills[static_cast<std::size_t>(p.fillCount++)] =
        host::Rect{fit(x), fit(y), fit(x + w), fit(y + h)};
  };
  const std::int64_t destX = in.destX;
  const std::int64_t destY = in.destY;
  // A margin wider than the whole area leaves no column: the area is all background then.
  if (sx < in.screenLeft) {
    const std::int64_t d = std::min(in.screenLeft - sx, cols);
    offX = z * d;
    cols -= d;
    sx = in.screenLeft;
    fill(destX, destY, offX, fullH);
  }
  const std::int64_t eRight =
      host::roundHalfEven(static_cast<double>(sx + cols) - (in.screenLeft + in.screenWidth));
  if (eRight > 0) {
    cols -= eRight;
    fill(destX + offX + z * cols, destY, z * eRight, fullH);
  }
  if (sy < in.screenTop) {
    const std::int64_t d = std::min(in.screenTop - sy, rows);
    offY = z * d;
    rows -= d;
    sy = in.screenTop;
    fill(destX, destY, fullW, offY);
  }
  const std::int64_t eBottom =
      host::roundHalfEven(static_cast<double>(sy + rows) - (in.screenTop + in.screenHeight));
  if (eBottom > 0) {
    rows -= eBottom;
    fill(destX, destY + offY + z * rows, fullW, z * eBottom);
  }
  if (cols <= 0 || rows <= 0) {
    // Nothing of the screen is in reach (a cursor off every screen): all background.
    p.fillCount = 0;
    fill(destX, destY, fullW, fullH);
  }
  p.cols = fit(cols);
  p.rows = fit(rows);
  p.sx = fit(sx);
  p.sy = fit(sy);
  p.offX = fit(offX);
  p.offY = fit(offY);
  return p;
}
