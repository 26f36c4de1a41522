#include "ButtonShape.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "host/core/Convert.h"

namespace ButtonShape {

namespace {
std::int32_t clamp(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  if (v < lo) return lo;
  if (v <= hi) return v;
  return hi;
}
}  // namespace

bool IsInsideCircle(std::int32_t a, std::int32_t b, std::int32_t r) {
  const std::int64_t d = static_cast<std::int64_t>(r) * r - static_cast<std::int64_t>(a) * a;
  if (d < 0) return false;
  const std::int32_t s = host::roundHalfEven(std::sqrt(static_cast<double>(d)));
  return std::abs(b - r) < s;
}

bool IsInsideRounded(std::int32_t x, std::int32_t y, std::int32_t L, std::int32_t T,
                     std::int32_t Wr, std::int32_t Hr, std::int32_t r) {
  const std::int32_t dx = x - L;
  const std::int32_t dy = y - T;
  if (dy + r < Hr && dy > r && dx > r && dx + r < Wr) return true;
  if (dx < r && dy <= r) return IsInsideCircle(dx - r, dy, r);
  if (dx + r > Wr && dy <= r) return IsInsideCircle(dx + r - Wr, dy, r);
  if (dy + r >= Hr && dx < r) return IsInsideCircle(dx - r, dy + 2 * r - Hr, r);
  if (dy + r >= Hr && dx + r > Wr) return IsInsideCircle(dx + r - Wr, dy + 2 * r - Hr, r);
  return dx > 0 && dx < Wr && dy > 0 && dy < Hr;
}

std::vector<host::Rect> roundRegionRects(std::int32_t L, std::int32_t T, std::int32_t Wr,
                                         std::int32_t Hr, std::int32_t r, std::int32_t& radius) {
  radius = r < 1 ? 1 : r;
  r = radius;
  // Rectangles are put in corner order, as the platform's CreateRectRgn does.
  auto ordered = [](std::int32_t l, std::int32_t t, std::int32_t rr, std::int32_t b) {
    return host::Rect{std::min(l, rr), std::min(t, b), std::max(l, rr), std::max(t, b)};
  };
  std::vector<host::Rect> rects{ordered(0, 0, L + Wr, T + Hr)};
  const std::int32_t half = (L + Wr) / 2;
  std::int32_t lastX = 0;
  std::int32_t lastY = 0;
  for (std::int32_t y = 0; y <= T + Hr; ++y) {
    for (std::int32_t x = 0; x <= half; ++x) {
      if (IsInsideRounded(x, y, L, T, Wr, Hr, r)) continue;
      if (y != lastY) {
        // The previous row's failing run and its mirror are cut when a new row starts failing.
        rects.push_back(ordered(Wr - lastX + L, lastY, Wr - x, y));
        if (2 * lastX != Wr + L) ++lastX;
        rects.push_back(ordered(x, y, lastX, lastY));
      }
      lastX = x;
      lastY = y;
    }
  }
  return rects;
}

std::int32_t radiusFor(std::int32_t style, std::int32_t W, std::int32_t H) {
  switch (style) {
    case 2:
    case 4:
    case 5:
      return clamp(H / 2 + 1, 1, W / 2);
    case 3:
      return 12;
    case 6:
      return clamp(H / 3, 1, W / 3);
    case 7:
      return clamp(H / 4 + 1, 1, W / 4);
    default:
      return 0;
  }
}

bool roundedSetup(std::int32_t style, std::int32_t W, std::int32_t H, std::int32_t r,
                  GlossParams& p) {
  using host::roundHalfEven;
  p = GlossParams{};
  const std::int32_t wide = roundHalfEven(static_cast<double>(W) + 2.0 * r);
  p.GlowCenterX = roundHalfEven(W / 2.0);
  p.GlowCenterY = H;
  switch (style) {
    case 2:
      p.GlossSlope = 50;
      p.GlossLeft = r / 2;
      p.GlossTop = 1;
      p.GlossCorner = r / 2;
      p.GlossBottom = roundHalfEven(1.1 * r);
      p.GlossRight = wide;
      p.GlowWidthPct = 300;
      p.GlowHeightPct = 60;
      p.GlowFade = 120;
      return true;
    case 3:
      p.GlossSlope = 70;
      p.GlossLeft = r / 3;
      p.GlossTop = 0;
      p.GlossCorner = 10;
      p.GlossBottom = 12;
      p.GlossRight = wide;
      p.GlowWidthPct = 200;
      // 100 - 700 / H, at most 80; a zero-height button has nothing to glow.
      p.GlowHeightPct = H > 0 ? roundHalfEven(std::min(80.0, 100.0 - 700.0 / H)) : 0;
      p.GlowFade = 130;
      return true;
    case 4:
      p.GlossSlope = 70;
      p.GlossLeft = r / 3 - 1;
      p.GlossTop = 0;
      p.GlossCorner = r / 2;
      p.GlossBottom = r;
      p.GlossRight = wide;
      p.GlowWidthPct = 200;
      p.GlowHeightPct = 70;
      p.GlowFade = 130;
      return true;
    case 5:
      p.GlossSlope = 40;
      p.GlossLeft = -1 - r / 2;
      p.GlossTop = -r;
      p.GlossCorner = r;
      p.GlossBottom = r + 1;
      p.GlossRight = wide;
      p.GlowWidthPct = 60;
      p.GlowHeightPct = 60;
      p.GlowFade = 130;
      return true;
    case 7:
      p.GlossSlope = 50;
      p.GlossLeft = roundHalfEven(r / 2.0);
      p.GlossTop = 2;
      p.GlossCorner = roundHalfEven(r / 2.0);
      p.GlossBottom = r + 1;
      p.GlossRight = roundHalfEven(static_cast<double>(W) - r);
      p.GlowWidthPct = 60;
      p.GlowHeightPct = 60;
      p.GlowCenterY = roundHalfEven(H / 2.0);
      p.GlowFade = 100;
      return true;
    default:
      return false;
  }
}

CaptionLayout layoutCaption(std::int32_t alignment, std::int32_t W, std::int32_t H, std::int32_t pw,
                            std::int32_t ph, std::int32_t tw, std::int32_t th, std::int32_t radius,
                            bool pressed) {
  using host::roundHalfEven;
  CaptionLayout l;
  const std::int32_t inset = radius == 0 ? 8 : radius;
  switch (alignment) {
    case 0:  // picture above the caption
      l.picX = roundHalfEven(static_cast<double>(W - pw)) / 2 + 1;
      l.picY = roundHalfEven(static_cast<double>(H - (ph + th))) / 2 + 1;
      l.textX = std::abs(W / 2 - tw / 2);
      l.textY = std::abs(H / 2 + (ph / 2 - th / 2));
      break;
    case 1:  // caption above the picture
      l.picX = roundHalfEven(static_cast<double>(W - pw)) / 2;
      l.picY = roundHalfEven(static_cast<double>(H - (ph - th))) / 2 + 1;
      l.textX = std::abs(W / 2 - tw / 2);
      l.textY = std::abs(H / 2 - (th + ph) / 2);
      break;
    case 2:  // picture at the left, caption centred
    case 3:  // picture at the right
      l.picX = alignment == 2 ? inset : roundHalfEven(static_cast<double>(W - inset - pw));
      l.picY = roundHalfEven(static_cast<double>(H - ph)) / 2 + 1;
      l.textX = std::abs(W / 2 - tw / 2);
      l.textY = std::abs(H / 2 - th / 2);
      break;
    default:
      break;
  }
  if (pressed) {
    ++l.picX;
    ++l.picY;
    ++l.textX;
    ++l.textY;
  }
  return l;
}

}  // namespace ButtonShape
