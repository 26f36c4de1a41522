#include "host/forms/Frame.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "host/draw/Fonts.h"
#include "host/draw/SystemColors.h"

namespace host {

Frame::Frame(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  forwardMouseEvents(*this, *this, MouseForwarding::Consume);
}

void Frame::Caption(const QString& text) {
  if (text == m_caption) return;
  m_caption = text;
  update();
}

void Frame::BackColor(ColorRef color) {
  if (color == m_backColor) return;
  m_backColor = color;
  update();
}

void Frame::ForeColor(ColorRef color) {
  if (color == m_foreColor) return;
  m_foreColor = color;
  update();
}

void Frame::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(rect(), toQColor(m_backColor));
  // The etched border starts a pixel above half a caption cell down, as the platform's group
  // boxes draw it: a shadow rectangle with a highlight one pixel right and below it (pixels of
  // the frame).
  const QFontMetrics fm(font());
  const int lineHeight = cellMetrics(font()).height();
  const int top = std::max(0, lineHeight / 2 - 1);
  const int w = width() - 2;
  const int h = height() - top - 2;
  if (w > 0 && h > 0) {
    p.setPen(toQColor(SystemColor::ButtonShadow));
    p.drawRect(0, top, w, h);
    p.setPen(toQColor(SystemColor::ButtonHighlight));
    p.drawRect(1, top + 1, w, h);
  }
  if (m_caption.isEmpty()) return;
  // The caption interrupts the border, on the frame's own background.
  constexpr int kCaptionLeft = 6;
  const QRect caption(kCaptionLeft, 0, fm.horizontalAdvance(m_caption) + 4, lineHeight);
  p.fillRect(caption, toQColor(m_backColor));
  p.setPen(toQColor(m_foreColor));
  p.setFont(font());
  drawCellText(p, caption.adjusted(2, 0, 0, 0), Qt::AlignLeft, m_caption);
}

}  // namespace host
