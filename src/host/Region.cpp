#include "Region.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace host {

Rect Region::box() const {
  const QRect b = m_region.boundingRect();
  return Rect{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
}

Region CreateRectRgn(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (l == r || t == b) return Region{};
  return Region{QRegion(l, t, r - l, b - t)};
}

Region CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  // The region covers the interior, and stops one pixel short on the right and at the bottom.
  --r;
  --b;
  const int ew = std::min(r - l, std::abs(w));
  const int eh = std::min(b - t, std::abs(h));
  if (ew < 2 || eh < 2) return CreateRectRgn(l, t, r, b);

  // One span per row of the corner ellipse's height: rows [0, eh/2) are the top curve, the row
  // eh/2 stretches down to where the bottom curve begins, the rest mirror the top. The inset of
  // each row comes from a midpoint ellipse walk (integer error terms, no rounding).
  std::vector<int> inset(static_cast<std::size_t>(eh), 0);
  const std::int64_t a = ew - 1;
  const std::int64_t bb = eh - 1;
  const std::int64_t asq = 8 * a * a;
  const std::int64_t bsq = 8 * bb * bb;
  std::int64_t dx = 4 * bb * bb * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + (bb % 2));
  std::int64_t err = dx + dy + a * a * (bb % 2);
  int x = 0;
  int y = eh / 2;
  inset[static_cast<std::size_t>(y)] = 0;
  while (x <= ew / 2) {
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += bsq;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += asq;
      if (y < eh) inset[static_cast<std::size_t>(y)] = x;
    }
  }
  QRegion region;
  for (int i = 0; i < eh / 2; ++i) {
    const int in = inset[static_cast<std::size_t>(eh - 1 - i)];
    region += QRect(l + in, t + i, (r - in) - (l + in), 1);
  }
  // The middle band, from the end of the top curve to the start of the bottom one.
  const int midTop = t + eh / 2;
  const int midBottom = b - eh + eh / 2 + 1;
  region += QRect(l, midTop, r - l, std::max(midBottom - midTop, 1));
  for (int i = eh / 2 + 1; i < eh; ++i) {
    const int in = inset[static_cast<std::size_t>(i)];
    region += QRect(l + in, b - eh + i, (r - in) - (l + in), 1);
  }
  return Region{region};
}

int CombineRgn(Region& dest, const Region& a, const Region& b, CombineMode mode) {
  const QRegion& ra = a.toQRegion();
  const QRegion& rb = b.toQRegion();
  switch (mode) {
    case CombineMode::And:
      dest = Region{ra.intersected(rb)};
      break;
    case CombineMode::Or:
      dest = Region{ra.united(rb)};
      break;
    case CombineMode::Xor:
      dest = Region{ra.xored(rb)};
      break;
    case CombineMode::Diff:
      dest = Region{ra.subtracted(rb)};
      break;
    case CombineMode::Copy:
      dest = Region{ra};
      break;
  }
  const QRegion& out = dest.toQRegion();
  if (out.isEmpty()) return kNullRegion;
  return out.rectCount() == 1 ? kSimpleRegion : kComplexRegion;
}

bool PtInRegion(const Region& r, int x, int y) {
  return r.toQRegion().contains(QPoint(x, y));
}

Region xorOfRects(std::span<const Rect> rects) {
  Region out;
  for (const Rect& r : rects) {
    CombineRgn(out, out, CreateRectRgn(r.left, r.top, r.right, r.bottom), CombineMode::Xor);
  }
  return out;
}

}  // namespace host
