#pragma once

#include <cstdint>
#include <vector>

#include "host/core/Rect.h"

// The button's rounded shape as pure arithmetic (no Qt): which pixels of a rounded rectangle are
// inside, the rectangles its region is built from, the corner radius per Style, the gloss and
// glow set-up of the rounded Styles, and where the picture and caption go.
namespace ButtonShape {

// Inside the circle of radius r about (r, r) for the point (a + r, b): |b - r| < round(sqrt(d)).
bool IsInsideCircle(std::int32_t a, std::int32_t b, std::int32_t r);
// Inside the rounded rectangle (L, T, Wr, Hr) with corner radius r; column L and row T are out.
bool IsInsideRounded(std::int32_t x, std::int32_t y, std::int32_t L, std::int32_t T,
                     std::int32_t Wr, std::int32_t Hr, std::int32_t r);
// The region of the rounded rectangle as it is built row by row from the failing runs: the
// first rectangle is the whole (0, 0)-(L + Wr, T + Hr), and every later one is combined into it
// by XOR (the order does not matter). `radius` receives the radius used (never below 1).
std::vector<host::Rect> roundRegionRects(std::int32_t L, std::int32_t T, std::int32_t Wr,
                                         std::int32_t Hr, std::int32_t r, std::int32_t& radius);

// The corner radius of Styles 2 to 7 for a W x H pixel button; 0 for the rectangular Styles.
std::int32_t radiusFor(std::int32_t style, std::int32_t W, std::int32_t H);

struct GlossParams {
  std::int32_t GlossBase = 0;
  std::int32_t GlossSlope = 0;
  std::int32_t GlossLeft = 0;
  std::int32_t GlossTop = 0;
  std::int32_t GlossRight = 0;
  std::int32_t GlossBottom = 0;
  std::int32_t GlossCorner = 0;
  std::int32_t GlowWidthPct = 0;
  std::int32_t GlowHeightPct = 0;
  std::int32_t GlowCenterX = 0;
  std::int32_t GlowCenterY = 0;
  std::int32_t GlowFade = 0;
};

// The gloss and glow of rounded Style 2, 3, 4, 5 or 7 with radius r; false for other Styles.
bool roundedSetup(std::int32_t style, std::int32_t W, std::int32_t H, std::int32_t r,
                  GlossParams& out);

// Where the picture and the caption go on a W x H button (pixels), by PictureAlignment: picture
// pw x ph, caption tw x th, the corner radius (0 on the rectangular Styles), and one pixel right
// and down while pressed.
struct CaptionLayout {
  std::int32_t picX = 0, picY = 0, textX = 0, textY = 0;
  bool operator==(const CaptionLayout&) const = default;
};
CaptionLayout layoutCaption(std::int32_t alignment, std::int32_t W, std::int32_t H, std::int32_t pw,
                            std::int32_t ph, std::int32_t tw, std::int32_t th, std::int32_t radius,
                            bool pressed);

}  // namespace ButtonShape
