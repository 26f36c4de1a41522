#pragma once

#include <QImage>
#include <optional>

#include "ColorRef.h"

namespace host {

// A rectangle in device pixels, right and bottom exclusive, as the platform's RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  // Inverted rectangles count as empty too; nothing in the program draws one.
  bool isEmpty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect intersected(const Rect& o) const;
  bool operator==(const Rect&) const = default;
};

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

// A device context over a QImage (Format_RGB32), with the platform's raster rules rather than
// QPainter's antialiased geometry, so painters can be checked pixel by pixel:
//  - rectangles exclude their right and bottom edges;
//  - a line covers its start point and not its end point;
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
  // covers the whole [l, r) x [t, b).
  void Rectangle(int l, int t, int r, int b);
  void SetPixelV(int x, int y, ColorRef color);
  // kInvalidColor outside the image.
  ColorRef GetPixel(int x, int y) const;

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
