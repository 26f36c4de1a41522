// How the button paints itself: its shape per Style, the rounded glossy painter, the Style 0,
// 1 and 6 painters, and the caption and picture.
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "CandyButton.h"
#include "host/core/Convert.h"
#include "host/draw/Canvas.h"
#include "host/draw/SystemColors.h"
#include "host/forms/AccessibleChanges.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/PictureBox.h"

namespace {

using host::Canvas;
using host::ColorRef;

struct Rgb {
  double r, g, b;
};

// S + (E - S) * t per channel, rounded half to even.
ColorRef lerp(Rgb s, Rgb e, double t) {
  return host::RGB(host::roundHalfEven(s.r + (e.r - s.r) * t),
                   host::roundHalfEven(s.g + (e.g - s.g) * t),
                   host::roundHalfEven(s.b + (e.b - s.b) * t));
}
ColorRef rgb(Rgb c) {
  return lerp(c, c, 0);
}

// A line covers its start and not its end; copy mode.
void line(Canvas& dc, int x1, int y1, int x2, int y2, ColorRef c) {
  dc.SetROP2(host::Rop2::CopyPen);
  dc.SelectPen(c);
  dc.MoveToEx(x1, y1);
  dc.LineTo(x2, y2);
}
void point(Canvas& dc, int x, int y, ColorRef c) {
  dc.SetPixelV(x, y, c);
}

// The frame with cut corners shared by Styles 0 and 1.
void cutCornerFrame(Canvas& dc, int W1, int H1, ColorRef cornerPoint, ColorRef diagonal,
                    ColorRef edge) {
  point(dc, 0, 1, cornerPoint);
  point(dc, 1, 0, cornerPoint);
  line(dc, 0, 2, 2, 0, diagonal);
  line(dc, 2, 0, W1 - 2, 0, edge);
  point(dc, W1 - 1, 0, cornerPoint);
  point(dc, W1, 1, cornerPoint);
  line(dc, W1 - 2, 0, W1, 2, diagonal);
  line(dc, W1, 2, W1, H1 - 2, edge);
  point(dc, W1, H1 - 1, cornerPoint);
  point(dc, W1 - 1, H1, cornerPoint);
  line(dc, W1, H1 - 2, W1 - 2, H1, diagonal);
  line(dc, W1 - 2, H1, 2, H1, edge);
  point(dc, 1, H1, cornerPoint);
  point(dc, 0, H1 - 1, cornerPoint);
  line(dc, 2, H1, 0, H1 - 2, diagonal);
  line(dc, 0, H1 - 2, 0, 2, edge);
}

// Rows `first`..`last` of a gradient drawn as full-width lines at row offset(i); t = (i - t0)
// / divisor. A divisor of 0 skips the gradient.
template <class RowOf>
void gradientRows(Canvas& dc, int x1, int x2, int first, int last, double divisor, double t0, Rgb s,
                  Rgb e, RowOf rowOf) {
  if (divisor == 0) return;
  for (int i = first; i <= last; ++i) {
    const int y = rowOf(i);
    line(dc, x1, y, x2, y, lerp(s, e, (i - t0) / divisor));
  }
}

}  // namespace

host::ColorRef CandyButton::faceColorFor(int state, bool& paints) const {
  paints = true;
  switch (state) {
    case Normal:
    case Focused:
      return m_ColorButtonUp;
    case Pressed:
    case Checked_:
      return m_ColorButtonDown;
    case Hot:
      return m_ColorButtonHover;
    default:
      paints = false;
      return 0;
  }
}

void CandyButton::UpdateShape() {
  m_InnerRegion.reset();
  const int W = width();
  const int H = height();
  if (m_Style >= 2 && m_Style <= 7) {
    const std::int32_t r = ButtonShape::radiusFor(m_Style, W, H);
    SetWindowRgn(host::xorOfRects(ButtonShape::roundRegionRects(0, 0, W, H, r, m_Radius)));
    m_InnerRegion =
        host::xorOfRects(ButtonShape::roundRegionRects(1, 1, W - 2, H - 2, r, m_Radius));
  } else {
    SetWindowRgn(std::nullopt);
  }
}

void CandyButton::Redraw(int state) {
  if (m_Checked) state = Checked_;
  if (!m_Ready) return;
  const bool pressedChanged = (state == Pressed) != (m_lastState == Pressed);
  m_lastState = state;
  if (pressedChanged) {
    QAccessible::State pressed;
    pressed.pressed = true;
    host::accessibility::stateChanged(*this, pressed);
  }
  ++m_redraws;
  const int W = width();
  const int H = height();
  switch (m_Style) {
    case 0:
      paintStyle0(state);
      break;
    case 1:
      paintStyle1(state);
      break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 7: {
      ButtonShape::GlossParams params;
      ButtonShape::roundedSetup(m_Style, W, H, m_Radius, params);
      bool paints = false;
      const host::ColorRef color = faceColorFor(state, paints);
      if (paints) PaintRounded(W, H, color, params);
      break;
    }
    case 6:
      paintStyle6(state);
      break;
    default:
      break;  // an unknown Style paints no face
  }
  DrawIconWCaption(state);
}

void CandyButton::PaintRounded(int W, int H, host::ColorRef color,
                               const ButtonShape::GlossParams& P) {
  if (m_Radius < 1) m_Radius = 1;
  const int r = m_Radius;
  host::ColorRef bright = m_ColorBright;
  if (!m_Enabled) {
    color = 0xB0C0C0;
    bright = 0xFFFFFF;
  }
  host::ColorRef border;
  // The blend takes at most 100 %; a stored value may be any 32-bit number, even one whose
  // negation does not fit.
  std::int32_t pct = static_cast<std::int32_t>(
      std::min<std::int64_t>(std::abs(std::int64_t{m_BorderBrightness}), 100));
  border = BlendColors(color, m_BorderBrightness >= 0 ? 0xFFFFFF : 0x000000, pct);
  const host::Region gloss = host::CreateRoundRectRgn(
      P.GlossLeft, P.GlossTop, P.GlossRight, P.GlossBottom, 2 * P.GlossCorner, 2 * P.GlossCorner);
  Canvas dc = canvas();
  const host::ColorRef face = host::translateColor(color);
  dc.FillRect(host::Rect{0, 0, W, H}, face);
  PaintGlow(dc, P, W, H, color, bright);

  const host::ColorRef borderRgb = host::translateColor(border);
  const host::Region inner = m_InnerRegion.value_or(host::Region{});
  // Rows scanned from the left edge to the middle: pixels outside the inner shape are the
  // border (mirrored), and the first gloss pixel of a row draws the row's gloss line; the next
  // row is then scanned from column 1.
  int y = 0;
  int x = 0;
  while (y <= H) {
    while (x <= W / 2) {
      if (host::PtInRegion(inner, x, y)) {
        if (host::PtInRegion(gloss, x, y)) {
          std::int32_t glossPct = P.GlossSlope * y / r + P.GlossBase;
          line(dc, x, y, W - x + 1, y, BlendColors(0xFFFFFF, color, glossPct));
          ++y;
          x = 1;
          continue;
        }
      } else {
        point(dc, x, y, borderRgb);
        point(dc, W - x, y, borderRgb);
      }
      ++x;
    }
    ++y;
    x = 0;
  }
}

void CandyButton::PaintGlow(host::Canvas& dc, const ButtonShape::GlossParams& P, int W, int H,
                            host::ColorRef color, host::ColorRef bright) {
  const int rx = host::roundHalfEven(W * P.GlowWidthPct / 100.0);
  const int ry = host::roundHalfEven(H * P.GlowHeightPct / 100.0);
  host::Rect box{P.GlowCenterX - rx, P.GlowCenterY - ry, P.GlowCenterX + rx, P.GlowCenterY + ry};
  if (box.isEmpty() || rx <= 0 || ry <= 0) return;
  double stepX = 1;
  double stepY = 1;
  if (rx <= ry) {
    stepY = static_cast<double>(ry) / rx;
  } else {
    stepX = static_cast<double>(rx) / ry;
  }
  const int dx = host::roundHalfEven(stepX);
  const int dy = host::roundHalfEven(stepY);
  dc.SetROP2(host::Rop2::CopyPen);
  dc.SelectPen(std::nullopt);
  dc.SelectBrush(host::translateColor(color));
  int i = 1;
  while (!box.isEmpty()) {
    // Each ring is covered by the next, smaller ellipse: leave its pixels to that one.
    const host::Rect next = host::inflated(box, -dx, -dy);
    dc.Ellipse(box.left, box.top, box.right, box.bottom, next.isEmpty() ? host::Rect{} : next);
    box = next;
    ++i;
    std::int32_t pct = host::roundHalfEven(static_cast<double>(P.GlowFade) * i / ry);
    dc.SelectBrush(BlendColors(color, bright, pct));
  }
}

void CandyButton::fillWithContainerBack(host::Canvas& dc, int W1, int H1) {
  std::optional<host::ColorRef> back;
  if (auto* form = dynamic_cast<host::Form*>(parentWidget())) back = form->BackColor();
  if (auto* box = dynamic_cast<host::PictureBox*>(parentWidget())) back = box->BackColor();
  if (auto* frame = dynamic_cast<host::Frame*>(parentWidget())) back = frame->BackColor();
  if (!back) return;  // a container without a BackColor: nothing filled
  dc.FillRect(host::Rect{0, 0, W1 + 1, H1 + 1}, host::translateColor(*back));
}

void CandyButton::paintStyle0(int state) {
  const int W1 = width() - 1;
  const int H1 = height() - 1;
  Canvas dc = canvas();
  fillWithContainerBack(dc, W1, H1);
  // The face: white to a warm light grey at rest, darker and flatter pressed.
  constexpr Rgb kWhite{255, 255, 255}, kRestMid{236, 235, 230}, kRestBottom{214, 208, 197};
  constexpr Rgb kPressedTop{209, 204, 193}, kPressedMid{229, 228, 221}, kPressedLow{226, 226, 218},
      kPressedBottom{242, 241, 238};
  if (state != Pressed) {
    gradientRows(dc, 1, W1, 0, H1 - 3, H1 - 3, 0, kWhite, kRestMid, [](int i) { return i; });
    gradientRows(dc, 0, W1, 0, 3, 3, 0, kRestMid, kRestBottom, [H1](int i) { return H1 + i - 4; });
  } else {
    gradientRows(dc, 0, W1, 0, 3, 3, 0, kPressedTop, kPressedMid, [](int i) { return i + 1; });
    gradientRows(dc, 0, W1, 4, H1 - 4, H1 - 6, 0, kPressedMid, kPressedLow,
                 [](int i) { return i; });
    gradientRows(dc, 0, W1, 0, 4, 3, 0, kPressedLow, kPressedBottom,
                 [H1](int i) { return H1 + i - 4; });
  }
  if (state == Focused || state == Hot) {
    // The inner glow: blue with the focus, orange under the pointer; two rows at the top, the
    // sides shading into the bottom two rows.
    struct Glow {
      Rgb row1, row2, side, last;
    };
    constexpr Glow kFocusGlow{{206, 231, 255}, {188, 212, 246}, {137, 173, 228}, {105, 130, 238}};
    constexpr Glow kHotGlow{{255, 240, 202}, {253, 216, 137}, {248, 178, 48}, {229, 151, 0}};
    const Glow& g = state == Focused ? kFocusGlow : kHotGlow;
    line(dc, 0, 1, W1, 1, rgb(g.row1));
    line(dc, 0, 2, W1, 2, rgb(g.row2));
    if (H1 != 0) {
      for (int i = 3; i <= H1 - 3; ++i) {
        const host::ColorRef c = lerp(g.row2, g.side, static_cast<double>(i) / H1);
        line(dc, 0, i, 3, i, c);
        line(dc, W1 - 2, i, W1, i, c);
      }
    }
    line(dc, 0, H1 - 2, W1, H1 - 2, rgb(g.side));
    line(dc, 0, H1 - 1, W1, H1 - 1, rgb(g.last));
  }
  // The dark blue frame with cut corners.
  constexpr Rgb kCornerPoint{122, 149, 168}, kCornerDiagonal{37, 87, 131}, kEdge{0, 60, 116};
  cutCornerFrame(dc, W1, H1, rgb(kCornerPoint), rgb(kCornerDiagonal), rgb(kEdge));
}

void CandyButton::paintStyle1(int state) {
  const int W1 = width() - 1;
  const int H1 = height() - 1;
  Canvas dc = canvas();
  fillWithContainerBack(dc, W1, H1);
  struct Look {
    Rgb top0, top1, mid1, bottom1, corner, diagonal, edge;
  };
  const Look pressed{{220, 218, 209}, {231, 230, 224}, {225, 224, 216}, {235, 234, 229},
                     {215, 215, 204}, {179, 179, 168}, {157, 157, 146}};
  const Look hot{{254, 254, 253}, {252, 252, 249}, {238, 237, 229}, {215, 210, 198},
                 {232, 232, 221}, {216, 216, 205}, {206, 206, 195}};
  if (state == Pressed || state == Hot) {
    const Look& l = state == Pressed ? pressed : hot;
    gradientRows(dc, 0, W1, 0, 3, 3, 0, l.top0, l.top1, [](int i) { return i + 1; });
    gradientRows(dc, 0, W1, 4, H1 - 4, H1 - 6, 0, l.top1, l.mid1, [](int i) { return i; });
    gradientRows(dc, 0, W1, 0, 3, 3, 0, l.mid1, l.bottom1, [H1](int i) { return H1 + i - 4; });
    cutCornerFrame(dc, W1, H1, rgb(l.corner), rgb(l.diagonal), rgb(l.edge));
  } else if (state == Checked_) {
    dc.FillRect(host::Rect{1, 1, W1, H1}, 0xFFFFFF);
    cutCornerFrame(dc, W1, H1, rgb({203, 213, 214}), rgb({152, 175, 190}), rgb({122, 152, 175}));
  }
}

void CandyButton::paintStyle6(int state) {
  const int W = width();
  const int H = height();
  if (H == 0) return;
  bool paints = false;
  const host::ColorRef color = faceColorFor(state, paints);
  if (!paints) return;
  const int r = m_Radius;
  std::int32_t half = 50;
  const host::ColorRef ring = host::translateColor(BlendColors(0x000000, color, half));
  Canvas dc = canvas();
  host::ColorRef row = 0;
  for (int y = 0; y <= H; ++y) {
    if (y < r) {
      std::int32_t pct = 30 * y / r;
      row = BlendColors(0xFFFFFF, color, pct);
    }
    std::int32_t v = std::abs((2 * y - H) * 100 / H);
    const host::ColorRef body = BlendColors(color, m_ColorBright, v);
    for (int x = 0; x <= W / 2; ++x) {
      if (ButtonShape::IsInsideRounded(x, y, 1, 1, W - 2, H - 2, r)) {
        const bool a = ButtonShape::IsInsideRounded(x, y, 4, 2, W - r, 2 * r - 1, 2 * r / 3);
        const bool b = ButtonShape::IsInsideRounded(x, y, 4, r / 2, W - r, 2 * r - 1, 2 * r / 3);
        const host::ColorRef c = (a && !b) ? row : body;
        point(dc, x, y, c);
        point(dc, W - x, y, c);
      } else if (ButtonShape::IsInsideRounded(x, y, 0, 0, W, H, r)) {
        point(dc, x, y, ring);
        point(dc, W - x, y, ring);
      }
    }
  }
}

void CandyButton::DrawIconWCaption(int state) {
  const int W = width();
  const int H = height();
  const QImage& picture = m_PictureImage;
  const int pw = picture.isNull() ? 0 : picture.width();
  const int ph = picture.isNull() ? 0 : picture.height();
  int tw = 0;
  int th = 0;
  if (!m_Caption.isEmpty()) {
    const QSize size = Canvas::measurePrefixText(m_Caption, font());
    tw = size.width();
    th = size.height();
  }
  const ButtonShape::CaptionLayout at = ButtonShape::layoutCaption(
      m_PictureAlignment, W, H, pw, ph, tw, th, m_Radius, state == Pressed);
  Canvas dc = canvas();
  const host::ColorRef saved = drawColor();
  const bool highlight = state == Hot && m_CaptionHighLite;
  if (highlight) drawColor(m_CaptionHighLiteColor);
  if (!m_Caption.isEmpty()) {
    dc.DrawPrefixText(at.textX, at.textY, m_Caption, font(), host::translateColor(drawColor()),
                      !m_Enabled);
  }
  if (highlight) drawColor(saved);
  if (!picture.isNull()) {
    std::optional<host::ColorRef> mono;
    if (m_Enabled && state == Hot && m_IconHighLite) {
      mono = host::translateColor(m_IconHighLiteColor);
    }
    dc.DrawPicture(at.picX, at.picY, picture, !m_Enabled, mono);
  }
  Refresh();
}
