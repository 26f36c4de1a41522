#pragma once

#include <array>

#include "host/core/Rect.h"

// The magnifier's factor until it is told another: each screen pixel a 5 x 5 block.
inline constexpr int kDefaultZoomFactor = 5;

// The arithmetic of one magnifier paint, as plain values: which screen pixels to copy, where
// their Z x Z blocks land, and which margin strips get the background because the copied area
// runs past an edge of the screen. Pure: no Qt, no screen access.
struct ZoomInput {
  int cursorX = 0;  // screen pixels
  int cursorY = 0;
  int destX = 0;  // target rectangle, device pixels of the canvas
  int destY = 0;
  int destW = 0;
  int destH = 0;
  int factor = kDefaultZoomFactor;
  bool fullPixelsOnly = false;
  bool mouseCentered = true;
  // The screen the copy is clipped to: its origin in virtual-desktop pixels and its size in
  // pixels (twips / twips per pixel, so possibly fractional).
  int screenLeft = 0;
  int screenTop = 0;
  double screenWidth = 0;
  double screenHeight = 0;
};

struct ZoomPlan {
  bool paints = false;  // false: the target is narrower or lower than one block; leave it alone
  int cols = 0;         // screen pixels copied, after clipping
  int rows = 0;
  int sx = 0;  // top-left screen pixel of the copy
  int sy = 0;
  int offX = 0;  // where the copy lands, relative to the target's corner
  int offY = 0;
  int fullW = 0;  // the painted area: Z x (columns, rows) before clipping
  int fullH = 0;
  // Background strips in painting order (left, right, top, bottom), device pixels.
  std::array<host::Rect, 4> fills{};
  int fillCount = 0;

  bool copies() const { return paints && cols > 0 && rows > 0; }
  bool operator==(const ZoomPlan&) const = default;
  // Where the copied blocks land on the canvas.
  host::Rect copyRect(const ZoomInput& in) const;
};

// When the cursor lies on no screen at all, the caller passes an empty screen; the whole
// painted area then becomes background and nothing is copied.
ZoomPlan planZoom(const ZoomInput& in);
