#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "host/core/ColorRef.h"
#include "host/draw/Canvas.h"
#include "host/forms/MouseEvents.h"

namespace host {

class NativeSurface;

// The forms runtime's picture box: an inner drawing area inside an optional 3D border, with a
// persistent drawing buffer (the inner area's pixels; AutoRedraw), a coordinate scale for its
// drawing methods, drawing colors, a raster mode and Cls/Line. Engines that draw in device
// pixels take its canvas().
class PictureBox : public QWidget, public MouseEvents {
 public:
  enum class ScaleModeKind { User = 0, Twips = 1, Pixels = 3 };
  enum class BorderStyleKind { None = 0, FixedSingle = 1 };
  enum class FillStyleKind { Solid = 0, Transparent = 1 };
  enum class LineKind { Line, Box, BoxFilled };

  explicit PictureBox(QWidget* parent);
  ~PictureBox() override;

  ColorRef BackColor() const { return m_backColor; }
  // Changing the background color clears what was drawn, as the runtime does.
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color) { m_foreColor = color; }
  Rop2 DrawMode() const { return m_drawMode; }
  void DrawMode(Rop2 mode) { m_drawMode = mode; }
  FillStyleKind FillStyle() const { return m_fillStyle; }
  void FillStyle(FillStyleKind style) { m_fillStyle = style; }
  ColorRef FillColor() const { return m_fillColor; }
  void FillColor(ColorRef color) { m_fillColor = color; }
  // The buffer always persists here; the flag is kept for callers that read it back.
  bool AutoRedraw() const { return m_autoRedraw; }
  void AutoRedraw(bool on) { m_autoRedraw = on; }
  BorderStyleKind BorderStyle() const { return m_borderStyle; }
  void BorderStyle(BorderStyleKind style);
  QString ToolTipText() const { return toolTip(); }
  void ToolTipText(const QString& text) { setToolTip(text); }

  // The scale: twips (the default), pixels, or a user scale set through ScaleLeft/Top/Width/
  // Height, each of which switches to the user scale and keeps the other three values.
  ScaleModeKind ScaleMode() const { return m_scaleMode; }
  void ScaleMode(ScaleModeKind mode);
  double ScaleLeft() const { return m_scaleLeft; }
  void ScaleLeft(double v);
  double ScaleTop() const { return m_scaleTop; }
  void ScaleTop(double v);
  double ScaleWidth() const;
  void ScaleWidth(double v);
  double ScaleHeight() const;
  void ScaleHeight(double v);

  // Inner area in pixels.
  int innerWidth() const { return innerRect().width(); }
  int innerHeight() const { return innerRect().height(); }
  int scaleXToPixel(double x) const;
  int scaleYToPixel(double y) const;

  // Clears the drawing to BackColor.
  void Cls();
  // Line (x1, y1)-(x2, y2) in scale units, in `color` (ForeColor when absent), with the current
  // DrawMode: a line without its end point, a box outline, or a box filled with the line color
  // (B and BF). A filled box covers both corner pixels; a corner on the far edge of the scale
  // (ScaleWidth, ScaleHeight) lies just outside the area, so such a box fills up to the edge.
  void Line(double x1, double y1, double x2, double y2, std::optional<ColorRef> color = {},
            LineKind kind = LineKind::Line);

  // The persistent buffer (at least the inner area; larger after the box shrank), for painters
  // that draw in pixels; call update() after drawing.
  Canvas canvas();
  // Shows what was drawn on the canvas: straight into the box's own native window where the
  // platform allows it (see DirectPresent), else through the toolkit's repaint (update()).
  void present();
  // Whether present() may draw straight into a native window of the box's own, bypassing the
  // toolkit's repaint of the window around it: for a box shown anew many times a second. Takes
  // effect on X11 only; elsewhere present() repaints as usual.
  void DirectPresent(bool on);
  const QImage& buffer() const;
  // Counts the times the drawing was handed out or cleared (canvas(), Cls, Line): a painter
  // that finds the count one above its own last use knows nothing else drew in between.
  std::uint64_t drawings() const { return m_drawings; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect innerRect() const;
  // At least the inner area's size; it only grows, so shrinking the box keeps the drawing.
  // Qt delivers no resize event to a hidden widget, so every use of the buffer checks its size
  // rather than waiting for one.
  void resizeBuffer() const;

  mutable QImage m_buffer;
  std::unique_ptr<NativeSurface> m_native;
  std::uint64_t m_drawings = 0;
  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
  ColorRef m_fillColor = 0;
  Rop2 m_drawMode = Rop2::CopyPen;
  FillStyleKind m_fillStyle = FillStyleKind::Transparent;
  BorderStyleKind m_borderStyle = BorderStyleKind::FixedSingle;
  ScaleModeKind m_scaleMode = ScaleModeKind::Twips;
  bool m_autoRedraw = false;
  double m_scaleLeft = 0;
  double m_scaleTop = 0;
  double m_userWidth = 0;
  double m_userHeight = 0;
};

}  // namespace host
