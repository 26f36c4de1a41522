#include "host/forms/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cstring>

#include "host/core/Convert.h"
#include "host/draw/SystemColors.h"
#include "host/forms/Control.h"
#include "host/forms/NativeSurface.h"
#include "host/forms/Screen.h"

namespace host {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // As small as can be until placed, not the toolkit's 100 x 30: the persistent drawing surface
  // only grows, and a bar 12 pixels wide would keep a surface 100 wide.
  resize(1, 1);
  forwardMouseEvents(*this, *this, MouseForwarding::Consume);
}

PictureBox::~PictureBox() = default;

void PictureBox::DirectPresent(bool on) {
  if (!on) {
    m_native.reset();
  } else if (!m_native) {
    m_native = NativeSurface::create(*this);
  }
}

void PictureBox::present() {
  // Only a box without a border, whose drawing covers it: then the frame is the drawing alone,
  // as paintEvent draws it.
  const QRect inner = innerRect();
  QImage* frame = m_native && m_borderStyle == BorderStyleKind::None && inner == rect()
                      ? m_native->frame()
                      : nullptr;
  const QImage& drawing = buffer();
  if (frame == nullptr || drawing.width() < inner.width() || drawing.height() < inner.height()) {
    update();
    return;
  }
  if (frame->devicePixelRatio() == 1) {
    // The copy drawImage makes of an opaque image at 1:1, without a painter.
    const auto rowBytes = static_cast<std::size_t>(inner.width()) * 4;
    for (int y = 0; y < inner.height(); ++y)
      std::memcpy(frame->scanLine(y), drawing.constScanLine(y), rowBytes);
  } else {
    QPainter p(frame);
    p.drawImage(QPoint(0, 0), drawing, QRect(QPoint(0, 0), inner.size()));
  }
  m_native->put();
}

QRect PictureBox::innerRect() const {
  const int b = m_borderStyle == BorderStyleKind::FixedSingle ? bevelWidth(Bevel::Box) : 0;
  const QRect r = rect().adjusted(b, b, -b, -b);
  return r.isValid() ? r : QRect(b, b, 0, 0);
}

void PictureBox::resizeBuffer() const {
  growSurface(m_buffer, innerRect().size(), toQColor(m_backColor));
}

const QImage& PictureBox::buffer() const {
  resizeBuffer();
  return m_buffer;
}

Canvas PictureBox::canvas() {
  resizeBuffer();
  ++m_drawings;
  return Canvas(m_buffer);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  resizeBuffer();
}

void PictureBox::BorderStyle(BorderStyleKind style) {
  m_borderStyle = style;
  resizeBuffer();
  update();
}

void PictureBox::BackColor(ColorRef color) {
  if (color == m_backColor) return;
  m_backColor = color;
  Cls();
}

void PictureBox::Cls() {
  resizeBuffer();
  ++m_drawings;
  m_buffer.fill(toQColor(m_backColor));
  update();
}

void PictureBox::ScaleMode(ScaleModeKind mode) {
  if (mode == ScaleModeKind::User) {
    m_userWidth = ScaleWidth();
    m_userHeight = ScaleHeight();
  } else {
    m_scaleLeft = 0;
    m_scaleTop = 0;
  }
  m_scaleMode = mode;
}

void PictureBox::ScaleLeft(double v) {
  ScaleMode(ScaleModeKind::User);
  m_scaleLeft = v;
}

void PictureBox::ScaleTop(double v) {
  ScaleMode(ScaleModeKind::User);
  m_scaleTop = v;
}

double PictureBox::ScaleWidth() const {
  switch (m_scaleMode) {
    case ScaleModeKind::User:
      return m_userWidth;
    case ScaleModeKind::Pixels:
      return innerWidth();
    case ScaleModeKind::Twips:
      return innerWidth() * Screen::TwipsPerPixelX();
  }
  return innerWidth();
}

double PictureBox::ScaleHeight() const {
  switch (m_scaleMode) {
    case ScaleModeKind::User:
      return m_userHeight;
    case ScaleModeKind::Pixels:
      return innerHeight();
    case ScaleModeKind::Twips:
      return innerHeight() * Screen::TwipsPerPixelY();
  }
  return innerHeight();
}

void PictureBox::ScaleWidth(double v) {
  ScaleMode(ScaleModeKind::User);
  m_userWidth = v;
}

void PictureBox::ScaleHeight(double v) {
  ScaleMode(ScaleModeKind::User);
  m_userHeight = v;
}

int PictureBox::scaleXToPixel(double x) const {
  const double w = ScaleWidth();
  if (w == 0) return 0;
  return roundHalfEven((x - m_scaleLeft) * innerWidth() / w);
}

int PictureBox::scaleYToPixel(double y) const {
  const double h = ScaleHeight();
  if (h == 0) return 0;
  return roundHalfEven((y - m_scaleTop) * innerHeight() / h);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<ColorRef> color,
                      LineKind kind) {
  const ColorRef pen = translateColor(color.value_or(m_foreColor));
  const int px1 = scaleXToPixel(x1);
  const int py1 = scaleYToPixel(y1);
  const int px2 = scaleXToPixel(x2);
  const int py2 = scaleYToPixel(y2);
  Canvas dc = canvas();
  dc.SetROP2(m_drawMode);
  dc.SelectPen(pen);
  switch (kind) {
    case LineKind::Line:
      dc.MoveToEx(px1, py1);
      dc.LineTo(px2, py2);
      break;
    case LineKind::Box:
      dc.SelectBrush(m_fillStyle == FillStyleKind::Solid
                         ? std::optional<ColorRef>(translateColor(m_fillColor))
                         : std::nullopt);
      dc.Rectangle(px1, py1, px2, py2);
      break;
    case LineKind::BoxFilled:
      // The runtime's filled box includes both corner points; a pen-less Rectangle stops one
      // pixel short of its right and bottom edges, hence + 2.
      dc.SelectPen(std::nullopt);
      dc.SelectBrush(pen);
      dc.Rectangle(std::min(px1, px2), std::min(py1, py2), std::max(px1, px2) + 2,
                   std::max(py1, py2) + 2);
      break;
  }
  update();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QRect inner = innerRect();
  if (m_borderStyle == BorderStyleKind::FixedSingle) drawSunkenBorder(p, rect(), Bevel::Box);
  p.drawImage(inner.topLeft(), buffer(), QRect(QPoint(0, 0), inner.size()));
}

}  // namespace host
