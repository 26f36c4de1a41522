#pragma once

#include <QRegion>
#include <span>
#include <vector>

#include "host/core/Rect.h"

namespace host {

// A region of device pixels, as the platform's region objects: built from rectangles and
// rounded rectangles, combined, hit-tested, and handed to a window as its shape.
class Region {
 public:
  Region() = default;
  explicit Region(QRegion r) : m_region(std::move(r)) {}

  bool isEmpty() const { return m_region.isEmpty(); }
  // The bounding box, right and bottom exclusive.
  Rect box() const;
  const QRegion& toQRegion() const { return m_region; }
  bool operator==(const Region& o) const { return m_region == o.m_region; }

 private:
  QRegion m_region;
};

// [l, r) x [t, b), the corners put in order.
Region CreateRectRgn(int l, int t, int r, int b);
// A rectangle with corners rounded by an ellipse of w x h pixels. Like the platform, it covers
// [l, r - 1) x [t, b - 1): one pixel short on the right and at the bottom. The ellipse is at most
// the rectangle's size; below 2 pixels either way the region is the plain rectangle.
Region CreateRoundRectRgn(int l, int t, int r, int b, int w, int h);

// How far in from each side row i of a rounded rectangle's corner ellipse (ew x eh pixels, both
// at least 2) starts, for 0 <= i < eh, from the platform's midpoint walk. Rows below eh / 2 use
// the value at eh - 1 - i, the middle row none (see CreateRoundRectRgn).
std::vector<int> cornerInsets(int ew, int eh);
// A corner ellipse larger than this either way is taken at this size: regions are built row by
// row, and no window's rounding comes near.
inline constexpr int kMaxCornerEllipse = 4096;

enum class CombineMode { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
// The platform's result codes: no region, one rectangle, anything more.
inline constexpr int kNullRegion = 1;
inline constexpr int kSimpleRegion = 2;
inline constexpr int kComplexRegion = 3;

// dest = a combined with b; returns the type of the result.
int CombineRgn(Region& dest, const Region& a, const Region& b, CombineMode mode);
// The rectangles combined one after another by XOR (empty ones add nothing).
Region xorOfRects(std::span<const Rect> rects);
bool PtInRegion(const Region& r, int x, int y);

}  // namespace host
