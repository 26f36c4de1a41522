#include "Canvas.h"

#include <QFileInfo>
#include <QImageReader>

#include "Region.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

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

// Ceiling of num / den for den > 0, whatever the sign of num.
long ceilDiv(long num, long den) {
  return num >= 0 ? (num + den - 1) / den : -((-num) / den);
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
  const int x0 = m_curX;
  const int y0 = m_curY;
  m_curX = x;
  m_curY = y;
  if (!m_pen) return;
  const int dx = x - x0;
  const int dy = y - y0;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  // max(|dx|, |dy|) pixels from the start point on, the end point excluded; each pixel is the
  // ideal line rounded on the minor axis, an exact half going to the smaller coordinate
  // whichever way the line runs: ceil(v - 1/2) with v = i * minor / |major|.
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  const int majorSign = major < 0 ? -1 : 1;
  const long den = 2L * std::abs(major);
  for (int i = 0; i < steps; ++i) {
    const long num = 2L * i * minor - std::abs(major);
    const int offset = static_cast<int>(ceilDiv(num, den));
    const int px = xMajor ? x0 + i * majorSign : x0 + offset;
    const int py = xMajor ? y0 + offset : y0 + i * majorSign;
    plot(px, py, *m_pen);
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
  if (box.height() > 1) {
    fillSpan(Rect{box.left, box.bottom - 1, box.right, box.bottom}, pen, true);
  }
  const Rect middle{box.left, box.top + 1, box.right, box.bottom - 1};
  if (middle.isEmpty()) return;
  fillSpan(Rect{middle.left, middle.top, middle.left + 1, middle.bottom}, pen, true);
  if (box.width() > 1) {
    fillSpan(Rect{middle.right - 1, middle.top, middle.right, middle.bottom}, pen, true);
  }
  if (m_brush)
    fillSpan(Rect{middle.left + 1, middle.top, middle.right - 1, middle.bottom}, *m_brush, true);
}

void Canvas::Ellipse(int l, int t, int r, int b) {
  if (r - l <= 1 || b - t <= 1 || !m_brush) return;
  // The same pixels as an elliptic region one pixel larger on the right and at the bottom.
  const Region shape = CreateRoundRectRgn(l, t, r + 1, b + 1, r - l + 1, b - t + 1);
  for (const QRect& band : shape.toQRegion()) {
    fillSpan(Rect{band.left(), band.top(), band.left() + band.width(), band.top() + band.height()},
             *m_brush, true);
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
  // Source index for destination index d of `dst` over `s` source pixels.
  auto mapIndex = [](int d, int dst, int s) {
    const long num = (2L * d + 1) * s;
    const long den = 2L * dst;
    return static_cast<int>((num + den - 1) / den) - 1;
  };
  for (int dy = 0; dy < h; ++dy) {
    const int ty = y + dy;
    const int fy = sy + mapIndex(dy, h, sh);
    if (ty < 0 || ty >= height() || fy < 0 || fy >= source.height()) continue;
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(fy));
    auto* to = reinterpret_cast<QRgb*>(m_image->scanLine(ty));
    for (int dx = 0; dx < w; ++dx) {
      const int tx = x + dx;
      const int fx = sx + mapIndex(dx, w, sw);
      if (tx < 0 || tx >= width() || fx < 0 || fx >= source.width()) continue;
      to[tx] = 0xFF000000u | (from[fx] & 0xFFFFFFu);
    }
  }
}

void Canvas::GradientFill(const TriVertex& a, const TriVertex& b, GradientMode mode) {
  const TriVertex& first = (mode == GradientMode::Horizontal ? a.x <= b.x : a.y <= b.y) ? a : b;
  const TriVertex& last = &first == &a ? b : a;
  const Rect area{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  const Rect clip = area.intersected(Rect{0, 0, width(), height()});
  if (clip.isEmpty()) return;
  const bool horizontal = mode == GradientMode::Horizontal;
  const long n = horizontal ? area.width() : area.height();
  auto colorAt = [&](long i) {
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
        line[x] = colorAt(x - area.left);
    } else {
      std::fill(line + clip.left, line + clip.right, colorAt(y - area.top));
    }
  }
}

namespace {
QString withoutPrefixes(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}
}  // namespace

QSize Canvas::measurePrefixText(const QString& text, const QFont& font) {
  const QFontMetrics fm(font);
  return QSize(fm.horizontalAdvance(withoutPrefixes(text)), fm.height());
}

void Canvas::DrawPrefixText(int x, int y, const QString& text, const QFont& font, ColorRef color,
                            bool disabled) {
  QPainter p(m_image);
  p.setFont(font);
  const QSize size = measurePrefixText(text, font);
  auto draw = [&](int ox, int oy, QColor c) {
    p.setPen(c);
    p.drawText(QRect(x + ox, y + oy, size.width() + 2, size.height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine, text);
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
  p.drawText(0, QFontMetrics(font).ascent(), text);
}

}  // namespace host
