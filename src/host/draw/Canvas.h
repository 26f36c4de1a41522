#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

#include "host/core/ColorRef.h"
#include "host/core/Rect.h"

namespace host {

// The platform's binary raster operations (the SetROP2 codes): how a pen or brush color P
// combines with the pixel D already there.
enum class Rop2 : int {
  Black = 1,
  NotMergePen = 2,
  MaskNotPen = 3,
  NotCopyPen = 4,
  MaskPenNot = 5,
  Not = 6,
  XorPen = 7,
  NotMaskPen = 8,
  MaskPen = 9,
  NotXorPen = 10,
  Nop = 11,
  MergeNotPen = 12,
  CopyPen = 13,
  MergePenNot = 14,
  MergePen = 15,
  White = 16,
};

// Applies a raster operation to two 24-bit colors (either byte order: the operations are
// bitwise and treat every channel alike). The result has the high byte cleared.
std::uint32_t applyRop2(Rop2 op, std::uint32_t pen, std::uint32_t dst);

// The picture in a file or resource, decoded by the reader its name's suffix names (PNG, BMP,
// ...), so that no image plugin is loaded only to be asked whether the file is its kind; a name
// without a known suffix is recognised by its content. Null when it does not decode.
QImage readPicture(const QString& path);

// Makes a persistent drawing surface at least `atLeast` (and 1 x 1) in size, keeping what was
// drawn and filling new parts with `fill`. It never shrinks: shrinking a window or control (an
// animation, a narrower layout) must not lose its drawing, as the runtime's bitmap does not.
// Nor does it grow past kMaxSurface pixels either way: a control stretched beyond that (stored
// data naming an absurd size) draws only that much, clipped like any drawing past an edge,
// rather than asking for gigabytes.
void growSurface(QImage& image, QSize atLeast, const QColor& fill);
inline constexpr int kMaxSurface = 8192;

// A corner of a gradient: a position and 16-bit channels whose high byte carries the 8-bit
// value (the platform's TRIVERTEX).
struct TriVertex {
  int x = 0;
  int y = 0;
  std::uint16_t red = 0;
  std::uint16_t green = 0;
  std::uint16_t blue = 0;
  std::uint16_t alpha = 0;
};

enum class GradientMode { Horizontal = 0, Vertical = 1 };

// A device context over a QImage (Format_RGB32), with the platform's raster rules rather than
// QPainter's antialiased geometry, so painters can be checked pixel by pixel:
//  - rectangles exclude their right and bottom edges;
//  - a line covers its start point and not its end point, and rounds an exact half on its
//    minor axis to the smaller coordinate;
//  - the binary raster operation applies to pens and brushes of Rectangle and lines, not to
//    FillRect or SetPixelV.
// All coordinates are pixels of the image; drawing outside the image is clipped.
// Colors passed in are ColorRefs; system colors must be translated by the caller.
class Canvas {
 public:
  explicit Canvas(QImage& image);

  int width() const { return m_image->width(); }
  int height() const { return m_image->height(); }
  QImage& image() { return *m_image; }

  Rop2 SetROP2(Rop2 mode);
  Rop2 GetROP2() const { return m_rop; }

  // The pen (one pixel wide, solid) and brush of Rectangle and LineTo; nullopt selects the null
  // pen or the null (hollow) brush.
  void SelectPen(std::optional<ColorRef> color) { m_pen = color; }
  void SelectBrush(std::optional<ColorRef> color) { m_brush = color; }

  void FillRect(const Rect& r, ColorRef brush);
  void MoveToEx(int x, int y);
  void LineTo(int x, int y);
  // Outline with the pen, inside with the brush, each pixel once; without a pen the brush
  // covers only [l, r - 1) x [t, b - 1), the inside the pen would have surrounded.
  void Rectangle(int l, int t, int r, int b);
  // An ellipse in the box [l, r) x [t, b) filled with the brush, with the null pen (the only pen
  // the program uses for it). A box one pixel wide or high draws nothing, and so does one wider
  // or higher than kMaxEllipse pixels.
  void Ellipse(int l, int t, int r, int b);
  // The same, leaving alone the pixels of the ellipse in `hole` when that ellipse would draw:
  // concentric ellipses painted from the outside in with a solid copy brush then write each
  // pixel once, instead of once per ellipse around it, and look the same.
  void Ellipse(int l, int t, int r, int b, const Rect& hole);
  static constexpr int kMaxEllipse = 32767;
  void SetPixelV(int x, int y, ColorRef color);
  // kInvalidColor outside the image.
  ColorRef GetPixel(int x, int y) const;

  // Copies the source rectangle (sx, sy, sw, sh) of `src` onto the destination rectangle
  // (x, y, w, h), scaling without smoothing: destination index d takes source index
  // ceil((2d + 1) * S / (2D)) - 1 on each axis, so at a whole factor every source pixel becomes
  // a solid block. Destination pixels whose source lies outside `src` keep what they had.
  void StretchBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy, int sw, int sh);

  // Fills the rectangle spanned by the two vertices (corners in any order) with a linear
  // gradient, left to right or top to bottom: each channel of pixel i of n is
  // floor((c0 * (n - i) + c1 * i) / n), so the far edge falls just short of c1. No dithering.
  void GradientFill(const TriVertex& a, const TriVertex& b, GradientMode mode);

  // The platform's DrawState for prefix text: "&" underlines the next letter and is not drawn
  // ("&&" is one "&"); disabled text is embossed (white one pixel down-right, grey over it).
  void DrawPrefixText(int x, int y, const QString& text, const QFont& font, ColorRef color,
                      bool disabled);
  // DrawState for a picture at its natural size: as it is, embossed when disabled, or as a
  // silhouette of its opaque pixels in `mono` when given.
  void DrawPicture(int x, int y, const QImage& picture, bool disabled,
                   std::optional<ColorRef> mono);
  // Width and height of prefix text as drawn (the "&" markers not counted).
  static QSize measurePrefixText(const QString& text, const QFont& font);

  // Writes `text` with its top-left corner at (x, y), turned counter-clockwise by `escapement`
  // tenths of a degree (900: the text runs upwards), in `color`, with a transparent background.
  void TextOut(int x, int y, const QString& text, const QFont& font, int escapement,
               ColorRef color);

 private:
  void plot(int x, int y, ColorRef color);
  void fillSpan(const Rect& r, ColorRef color, bool useRop);

  QImage* m_image;
  Rop2 m_rop = Rop2::CopyPen;
  std::optional<ColorRef> m_pen = ColorRef{0};
  std::optional<ColorRef> m_brush = ColorRef{0xFFFFFF};
  int m_curX = 0;
  int m_curY = 0;
};

}  // namespace host
