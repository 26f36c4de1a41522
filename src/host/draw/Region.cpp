#include "host/draw/Region.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace host {

Rect Region::box() const {
  const QRect b = m_region.boundingRect();
  return Rect{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
}

namespace {

// Region coordinates are kept within the platform's 27-bit device space, so that every width
// and height (and the toolkit's right = left + width - 1) fits in 32 bits.
constexpr std::int64_t kCoordLimit = std::int64_t{1} << 27;
int inRange(std::int64_t v) {
  return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

// [l, r) x [t, b), already in order and in range.
QRect span(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
               static_cast<int>(b - t));
}

}  // namespace

Region CreateRectRgn(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const std::int64_t L = inRange(l), T = inRange(t), R = inRange(r), B = inRange(b);
  if (L == R || T == B) return Region{};
  return Region{QRegion(span(L, T, R, B))};
}

std::vector<int> cornerInsets(int ew, int eh) {
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
  return inset;
}

Region CreateRoundRectRgn(int l0, int t0, int r0, int b0, int w, int h) {
  if (l0 > r0) std::swap(l0, r0);
  if (t0 > b0) std::swap(t0, b0);
  const std::int64_t l = inRange(l0);
  const std::int64_t t = inRange(t0);
  // The region covers the interior, and stops one pixel short on the right and at the bottom.
  const std::int64_t r = inRange(r0) - 1;
  const std::int64_t b = inRange(b0) - 1;
  const auto ew = static_cast<int>(
      std::min({r - l, std::abs(std::int64_t{w}), std::int64_t{kMaxCornerEllipse}}));
  const auto eh = static_cast<int>(
      std::min({b - t, std::abs(std::int64_t{h}), std::int64_t{kMaxCornerEllipse}}));
  if (ew < 2 || eh < 2) {
    return CreateRectRgn(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r),
                         static_cast<int>(b));
  }
  const std::vector<int> inset = cornerInsets(ew, eh);
  QRegion region;
  for (int i = 0; i < eh / 2; ++i) {
    const int in = inset[static_cast<std::size_t>(eh - 1 - i)];
    region += span(l + in, t + i, r - in, t + i + 1);
  }
  // The middle band, from the end of the top curve to the start of the bottom one.
  const std::int64_t midTop = t + eh / 2;
  const std::int64_t midBottom = b - eh + eh / 2 + 1;
  region += span(l, midTop, r, midTop + std::max<std::int64_t>(midBottom - midTop, 1));
  for (int i = eh / 2 + 1; i < eh; ++i) {
    const int in = inset[static_cast<std::size_t>(i)];
    region += span(l + in, b - eh + i, r - in, b - eh + i + 1);
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
  // The toolkit's own test walks every rectangle; painters ask once per pixel of a control, so
  // the band that holds y is found by halving instead (rectangles come in bands sorted by top
  // edge, each band's rectangles sharing its top and bottom).
  const QRegion& q = r.toQRegion();
  if (!q.boundingRect().contains(x, y)) return false;
  auto it = std::partition_point(q.begin(), q.end(),
                                 [y](const QRect& band) { return band.bottom() < y; });
  for (; it != q.end() && it->top() <= y; ++it) {
    if (it->contains(x, y)) return true;
  }
  return false;
}

Region xorOfRects(std::span<const Rect> rects) {
  Region out;
  for (const Rect& r : rects) {
    CombineRgn(out, out, CreateRectRgn(r.left, r.top, r.right, r.bottom), CombineMode::Xor);
  }
  return out;
}

}  // namespace host
