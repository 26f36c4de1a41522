#include "ZoomPlan.h"

#include "host/Convert.h"

host::Rect ZoomPlan::copyRect(const ZoomInput& in) const {
  const int left = in.destX + offX;
  const int top = in.destY + offY;
  return host::Rect{left, top, left + in.factor * cols, top + in.factor * rows};
}

ZoomPlan planZoom(const ZoomInput& in) {
  ZoomPlan p;
  const int z = in.factor;
  if (z <= 0) return p;
  int cols = in.destW / z;
  int rows = in.destH / z;
  if (cols <= 0 || rows <= 0) return p;
  p.paints = true;
  // A partly visible last column and row, cut by the canvas edge.
  if (!in.fullPixelsOnly) {
    if (in.destW % z != 0) ++cols;
    if (in.destH % z != 0) ++rows;
  }
  int sx = in.cursorX;
  int sy = in.cursorY;
  if (in.mouseCentered) {
    sx -= cols / 2;
    sy -= rows / 2;
  }
  p.fullW = z * cols;
  p.fullH = z * rows;

  auto fill = [&p](int x, int y, int w, int h) {
    p.fills[static_cast<std::size_t>(p.fillCount++)] = host::Rect{x, y, x + w, y + h};
  };
  if (sx < in.screenLeft) {
    const int d = in.screenLeft - sx;
    p.offX = z * d;
    cols -= d;
    sx = in.screenLeft;
    fill(in.destX, in.destY, p.offX, p.fullH);
  }
  const int eRight = host::roundHalfEven(sx + cols - (in.screenLeft + in.screenWidth));
  if (eRight > 0) {
    cols -= eRight;
    fill(in.destX + p.offX + z * cols, in.destY, z * eRight, p.fullH);
  }
  if (sy < in.screenTop) {
    const int d = in.screenTop - sy;
    p.offY = z * d;
    rows -= d;
    sy = in.screenTop;
    fill(in.destX, in.destY, p.fullW, p.offY);
  }
  const int eBottom = host::roundHalfEven(sy + rows - (in.screenTop + in.screenHeight));
  if (eBottom > 0) {
    rows -= eBottom;
    fill(in.destX, in.destY + p.offY + z * rows, p.fullW, z * eBottom);
  }
  if (cols <= 0 || rows <= 0) {
    // Nothing of the screen is in reach (a cursor off every screen): all background.
    p.fillCount = 0;
    fill(in.destX, in.destY, p.fullW, p.fullH);
  }
  p.cols = cols;
  p.rows = rows;
  p.sx = sx;
  p.sy = sy;
  return p;
}
