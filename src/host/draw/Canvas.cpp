#include "host/draw/Canvas.h"

#include <QFileInfo>
#include <QImageReader>

#include "host/draw/Fonts.h"
#include "host/draw/Region.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace host {

std::uint32_t applyRop2(Rop2 op, std::uint32_t p, std::uint32_t d) {
  std::uint32_t r = 0;
  switch (op) {
    case Rop2::Black:
      r = 0;
      break;
    case Rop2::NotMergePen:
      r = ~(p | d);
      break;
    case Rop2::MaskNotPen:
      r = ~p & d;
      break;
    case Rop2::NotCopyPen:
      r = ~p;
      break;
    case Rop2::MaskPenNot:
      r = p & ~d;
      break;
    case Rop2::Not:
      r = ~d;
      break;
    case Rop2::XorPen:
      r = p ^ d;
      break;
    case Rop2::NotMaskPen:
      r = ~(p & d);
      break;
    case Rop2::MaskPen:
      r = p & d;
      break;
    case Rop2::NotXorPen:
      r = ~(p ^ d);
      break;
    case Rop2::Nop:
      r = d;
      break;
    case Rop2::MergeNotPen:
      r = ~p | d;
      break;
    case Rop2::CopyPen:
      r = p;
      break;
    case Rop2::MergePenNot:
      r = p | ~d;
      break;
    case Rop2::MergePen:
      r = p | d;
      break;
    case Rop2::White:
      r = 0xFFFFFFu;
      break;
  }
  return r & 0xFFFFFFu;
}

namespace {
inline QRgb toQRgb(ColorRef c) {
  return 0xFF000000u | toRgb24(c);
}

}  // namespace

QImage readPicture(const QString& path) {
  if (path.isEmpty()) return {};
  // The readers built into the toolkit, which need no plugin.
  static const std::array<QByteArray, 7> builtIn = {"png", "bmp", "ppm", "pgm",
                                                    "pbm", "xpm", "xbm"};
  const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
  QImageReader reader(path);
  if (std::find(builtIn.begin(), builtIn.end(), suffix) != builtIn.end()) {
    reader.setFormat(suffix);
    reader.setAutoDetectImageFormat(false);
  }
  return reader.read();
}

void growSurface(QImage& image, QSize atLeast, const QColor& fill) {
  atLeast = atLeast.boundedTo(QSize(kMaxSurface, kMaxSurface));
  if (!image.isNull() && image.width() >= atLeast.width() && image.height() >= atLeast.height()) {
    return;
  }
  QImage next(std::max({atLeast.width(), image.width(), 1}),
              std::max({atLeast.height(), image.height(), 1}), QImage::Format_RGB32);
  next.fill(fill);
  if (!image.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, image);
  }
  image = std::move(next);
}

Canvas::Canvas(QImage& image) : m_image(&image) {
  if (m_image->format() != QImage::Format_RGB32) {
    *m_image = m_image->convertToFormat(QImage::Format_RGB32);
  }
}

Rop2 Canvas::SetROP2(Rop2 mode) {
  const Rop2 previous = m_rop;
  m_rop = mode;
  return previous;
}

void Canvas::fillSpan(const Rect& r, ColorRef color, bool useRop) {
  const Rect c = r.intersected(Rect{0, 0, width(), height()});
  if (c.isEmpty()) return;
  const std::uint32_t pen = toRgb24(color);
  for (int y = c.top; y < c.bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(m_image->scanLine(y));
    if (!useRop || m_rop == Rop2::CopyPen) {
      std::fill(line + c.left, line + c.right, 0xFF000000u | pen);
    } else {
      for (int x = c.left; x < c.right; ++x) {
        line[x] = 0xFF000000u | applyRop2(m_rop, pen, line[x] & 0xFFFFFFu);
      }
    }
  }
}

void Canvas::FillRect(const Rect& r, ColorRef brush) {
  if (r.isEmpty()) return;
  fillSpan(r, brush, false);
}

void Canvas::plot(int x, int y, ColorRef color) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  auto* line = reinterpret_cast<QRgb*>(m_image->scanLine(y));
  line[x] = 0xFF000000u | applyRop2(m_rop, toRgb24(color), line[x] & 0xFFFFFFu);
}

void Canvas::MoveToEx(int x, int y) {
  m_curX = x;
  m_curY = y;
}

void Canvas::LineTo(int x, int y) {
  // In 64 bits: the ends may lie anywhere in the 32-bit range.
  const std::int64_t x0 = m_curX;
  const std::int64_t y0 = m_curY;
  m_curX = x;
  m_curY = y;
  if (!m_pen) return;
  const std::int64_t dx = x - x0;
  const std::int64_t dy = y - y0;
  // max(|dx|, |dy|) pixels from the start point on, the end point excluded; each pixel is the
  // ideal line rounded on the minor axis, an exact half going to the smaller coordinate
  // whichever way the line runs: ceil(v - 1/2) with v = i * minor / |major|.
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t major = xMajor ? dx : dy;
  const std::int64_t minor = xMajor ? dy : dx;
  const std::int64_t majorSign = major < 0 ? -1 : 1;
  const auto steps = static_cast<std::uint64_t>(std::abs(major));
  const auto minorSize = static_cast<std::uint64_t>(std::abs(minor));
  // Only the steps whose major coordinate lies on the image can plot anything.
  const std::int64_t from = xMajor ? x0 : y0;
  const std::int64_t extent = xMajor ? width() : height();
  const std::int64_t first = std::max<std::int64_t>(0, majorSign > 0 ? -from : from - extent + 1);
  const std::int64_t last =
      std::min(static_cast<std::int64_t>(steps), majorSign > 0 ? extent - from : from + 1);
  for (std::int64_t i = first; i < last; ++i) {
    // i * |minor| = q * |major| + r, below 2^64 as both factors are below 2^32.
    const std::uint64_t product = static_cast<std::uint64_t>(i) * minorSize;
    const auto q = static_cast<std::int64_t>(product / steps);
    const std::uint64_t r = product % steps;
    const std::int64_t offset =
        minor >= 0 ? q + (2 * r > steps ? 1 : 0) : -q - (2 * r >= steps ? 1 : 0);
    const std::int64_t px = xMajor ? x0 + i * majorSign : x0 + offset;
    const std::int64_t py = xMajor ? y0 + offset : y0 + i * majorSign;
    if (px >= 0 && py >= 0 && px < width() && py < height())
      plot(static_cast<int>(px), static_cast<int>(py), *m_pen);
  }
}

void Canvas::Rectangle(int l, int t, int r, int b) {
  const Rect box{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
  if (box.isEmpty()) return;
  if (!m_pen) {
    // Without a pen the brush fills the interior the pen would surround: [l, r-1) x [t, b-1).
    if (m_brush) fillSpan(Rect{box.left, box.top, box.right - 1, box.bottom - 1}, *m_brush, true);
    return;
  }
  const ColorRef pen = *m_pen;
  fillSpan(Rect{box.left, box.top, box.right, box.top + 1}, pen, true);
  // Compared rather than subtracted: a box may span more than the 32-bit range.
  if (box.bottom - 1 > box.top) {
    fillSpan(Rect{box.left, box.bottom - 1, box.right, box.bottom}, pen, true);
  }
  const Rect middle{box.left, box.top + 1, box.right, box.bottom - 1};
  if (middle.isEmpty()) return;
  fillSpan(Rect{middle.left, middle.top, middle.left + 1, middle.bottom}, pen, true);
  if (box.right - 1 > box.left) {
    fillSpan(Rect{middle.right - 1, middle.top, middle.right, middle.bottom}, pen, true);
  }
  if (m_brush)
    fillSpan(Rect{middle.left + 1, middle.top, middle.right - 1, middle.bottom}, *m_brush, true);
}

namespace {

// The rows of an ellipse in the box [l, r) x [t, b), as the platform fills it: the same pixels
// as an elliptic region one pixel larger on the right and at the bottom
// (CreateRoundRectRgn(l, t, r + 1, b + 1, w + 1, h + 1)), row i spanning [l + in, r - in) with
// the corner walk's inset and the middle row the whole width. Empty for a box that draws
// nothing: one pixel wide or high, or larger than `limit` either way.
struct EllipseRows {
  EllipseRows(int l, int t, int r, int b, int limit) : left(l), top(t), right(r) {
    const std::int64_t w = std::int64_t{r} - l;
    const std::int64_t h = std::int64_t{b} - t;
    if (w <= 1 || h <= 1 || w > limit || h > limit) return;
    inset = cornerInsets(static_cast<int>(w), static_cast<int>(h));
  }
  bool draws() const { return !inset.empty(); }
  int rows() const { return static_cast<int>(inset.size()); }
  // Row i's span in 64 bits (the box may touch the ends of the 32-bit range).
  std::pair<std::int64_t, std::int64_t> span(int i) const {
    const int n = rows();
    const int in = i < n / 2    ? inset[static_cast<std::size_t>(n - 1 - i)]
                   : i == n / 2 ? 0
                                : inset[static_cast<std::size_t>(i)];
    return {std::int64_t{left} + in, std::int64_t{right} - in};
  }
  int left, top, right;
  std::vector<int> inset;
};

}  // namespace

void Canvas::Ellipse(int l, int t, int r, int b) {
  Ellipse(l, t, r, b, Rect{});
}

void Canvas::Ellipse(int l, int t, int r, int b, const Rect& hole) {
  if (!m_brush) return;
  // Beyond the 16-bit coordinates of an X display nothing shows such an ellipse; its walk would
  // cost time and memory in proportion to its size.
  const EllipseRows outer(l, t, r, b, kMaxEllipse);
  if (!outer.draws()) return;
  const EllipseRows inner(hole.left, hole.top, hole.right, hole.bottom, kMaxEllipse);
  const int rows = outer.rows();
  // Only rows on the image are filled, and only the parts of them on it.
  auto fill = [&](std::int64_t y, std::int64_t from, std::int64_t to) {
    from = std::max<std::int64_t>(from, 0);
    to = std::min<std::int64_t>(to, width());
    if (from < to) {
      fillSpan(Rect{static_cast<int>(from), static_cast<int>(y), static_cast<int>(to),
                    static_cast<int>(y + 1)},
               *m_brush, true);
    }
  };
  const auto first = static_cast<int>(std::clamp<std::int64_t>(-std::int64_t{t}, 0, rows));
  for (int i = first; i < rows && std::int64_t{t} + i < height(); ++i) {
    const std::int64_t y = std::int64_t{t} + i;
    const auto [from, to] = outer.span(i);
    const std::int64_t j = y - inner.top;
    if (!inner.draws() || j < 0 || j >= inner.rows()) {
      fill(y, from, to);
      continue;
    }
    const auto [holeFrom, holeTo] = inner.span(static_cast<int>(j));
    if (holeFrom >= holeTo) {
      fill(y, from, to);
    } else {
      fill(y, from, std::min(to, holeFrom));
      fill(y, std::max(from, holeTo), to);
    }
  }
}

void Canvas::SetPixelV(int x, int y, ColorRef color) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  reinterpret_cast<QRgb*>(m_image->scanLine(y))[x] = toQRgb(color);
}

ColorRef Canvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return kInvalidColor;
  return fromRgb24(reinterpret_cast<const QRgb*>(m_image->constScanLine(y))[x] & 0xFFFFFFu);
}

void Canvas::StretchBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy, int sw,
                        int sh) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  const QImage source =
      src.format() == QImage::Format_RGB32 || src.format() == QImage::Format_ARGB32
          ? src
          : src.convertToFormat(QImage::Format_RGB32);
  // Source index for destination index d of `dst` over `s` source pixels; (2d + 1) * s stays
  // below 2^63 for any 32-bit sizes.
  auto mapIndex = [](std::int64_t d, std::int64_t dst, std::int64_t s) {
    const std::int64_t num = (2 * d + 1) * s;
    const std::int64_t den = 2 * dst;
    return (num + den - 1) / den - 1;
  };
  // Only destination rows and columns on the image can change.
  const std::int64_t dyFirst = std::max<std::int64_t>(0, -std::int64_t{y});
  const std::int64_t dyLast = std::min<std::int64_t>(h, std::int64_t{height()} - y);
  const std::int64_t dxFirst = std::max<std::int64_t>(0, -std::int64_t{x});
  const std::int64_t dxLast = std::min<std::int64_t>(w, std::int64_t{width()} - x);
  if (dxFirst >= dxLast) return;
  // The source column of every destination column, worked out once for all rows (a division
  // each); -1 where it falls off the source. Kept between calls: the magnifier stretches the
  // same sizes a hundred times a second and allocates nothing for it.
  static thread_local std::vector<std::int64_t> columns;
  columns.resize(static_cast<std::size_t>(dxLast - dxFirst));
  bool everyColumn = true;
  for (std::int64_t dx = dxFirst; dx < dxLast; ++dx) {
    const std::int64_t fx = sx + mapIndex(dx, w, sw);
    const bool on = fx >= 0 && fx < source.width();
    columns[static_cast<std::size_t>(dx - dxFirst)] = on ? fx : -1;
    everyColumn = everyColumn && on;
  }
  // A destination row depends only on its source row (`source` is the picture as it was before
  // this call, even when it is this canvas's own), so a row that repeats the one above it (every
  // row but one of each source row when enlarging) is copied from it whole, unless some columns
  // fall off the source and keep what each row had.
  const QRgb* doneRow = nullptr;
  std::int64_t doneFy = -1;
  const std::size_t span = static_cast<std::size_t>(dxLast - dxFirst);
  for (std::int64_t dy = dyFirst; dy < dyLast; ++dy) {
    const std::int64_t fy = sy + mapIndex(dy, h, sh);
    if (fy < 0 || fy >= source.height()) continue;
    auto* to = reinterpret_cast<QRgb*>(m_image->scanLine(static_cast<int>(y + dy)));
    if (everyColumn && doneRow != nullptr && fy == doneFy) {
      std::memcpy(to + x + dxFirst, doneRow + x + dxFirst, span * sizeof(QRgb));
    } else {
      const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(fy)));
      for (std::int64_t dx = dxFirst; dx < dxLast; ++dx) {
        const std::int64_t fx = columns[static_cast<std::size_t>(dx - dxFirst)];
        if (fx >= 0) to[x + dx] = 0xFF000000u | (from[fx] & 0xFFFFFFu);
      }
    }
    doneRow = to;
    doneFy = fy;
  }
}

void Canvas::GradientFill(const TriVertex& a, const TriVertex& b, GradientMode mode) {
  const TriVertex& first = (mode == GradientMode::Horizontal ? a.x <= b.x : a.y <= b.y) ? a : b;
  const TriVertex& last = &first == &a ? b : a;
  const Rect area{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  const Rect clip = area.intersected(Rect{0, 0, width(), height()});
  if (clip.isEmpty()) return;
  const bool horizontal = mode == GradientMode::Horizontal;
  // In 64 bits: the two corners may be the ends of the 32-bit range.
  const std::int64_t n =
      horizontal ? std::int64_t{area.right} - area.left : std::int64_t{area.bottom} - area.top;
  if (n == 0) return;  // an empty area: already cut by the clip, said again for the division
  auto colorAt = [&](std::int64_t i) {
    auto channel = [&](std::uint16_t c0, std::uint16_t c1) {
      return static_cast<std::uint32_t>(((c0 * (n - i) + c1 * i) / n) >> 8) & 0xFFu;
    };
    return 0xFF000000u | (channel(first.red, last.red) << 16) |
           (channel(first.green, last.green) << 8) | channel(first.blue, last.blue);
  };
  for (int y = clip.top; y < clip.bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(m_image->scanLine(y));
    if (horizontal) {
      for (int x = clip.left; x < clip.right; ++x)
        line[x] = colorAt(std::int64_t{x} - area.left);
    } else {
      std::fill(line + clip.left, line + clip.right, colorAt(std::int64_t{y} - area.top));
    }
  }
}

QSize Canvas::measurePrefixText(const QString& text, const QFont& font) {
  const QFontMetrics fm(font);
  return QSize(fm.horizontalAdvance(withoutMnemonics(text)), cellMetrics(font).height());
}

void Canvas::DrawPrefixText(int x, int y, const QString& text, const QFont& font, ColorRef color,
                            bool disabled) {
  QPainter p(m_image);
  p.setFont(font);
  const QSize size = measurePrefixText(text, font);
  auto draw = [&](int ox, int oy, QColor c) {
    p.setPen(c);
    drawCellText(p, QRect(x + ox, y + oy, size.width() + 2, size.height()),
                 Qt::AlignLeft | Qt::TextShowMnemonic, text);
  };
  if (disabled) {
    draw(1, 1, QColor(0xFF, 0xFF, 0xFF));
    draw(0, 0, QColor(0x80, 0x80, 0x80));
  } else {
    draw(0, 0, QColor::fromRgb(toRgb24(color) | 0xFF000000u));
  }
}

void Canvas::DrawPicture(int x, int y, const QImage& picture, bool disabled,
                         std::optional<ColorRef> mono) {
  if (picture.isNull()) return;
  QPainter p(m_image);
  auto silhouette = [&](QColor c) {
    QImage shape = picture.convertToFormat(QImage::Format_ARGB32);
    QPainter sp(&shape);
    sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
    sp.fillRect(shape.rect(), c);
    return shape;
  };
  if (disabled) {
    p.drawImage(x + 1, y + 1, silhouette(QColor(0xFF, 0xFF, 0xFF)));
    p.drawImage(x, y, silhouette(QColor(0x80, 0x80, 0x80)));
  } else if (mono) {
    p.drawImage(x, y, silhouette(QColor::fromRgb(toRgb24(*mono) | 0xFF000000u)));
  } else {
    p.drawImage(x, y, picture);
  }
}

void Canvas::TextOut(int x, int y, const QString& text, const QFont& font, int escapement,
                     ColorRef color) {
  QPainter p(m_image);
  p.setFont(font);
  p.setPen(QColor::fromRgb(toRgb24(color) | 0xFF000000u));
  p.translate(x, y);
  p.rotate(-escapement / 10.0);
  // The reference point is the top of the character cell.
  p.drawText(0, cellMetrics(font).ascent, text);
}

}  // namespace host
