#include "Label.h"

#include <QPainter>

#include "Control.h"
#include "SystemColors.h"

namespace host {

Label::Label(QWidget* parent) : QWidget(parent) {
  forwardMouseEvents(*this, *this, MouseForwarding::Consume);
}

void Label::Caption(const QString& text) {
  if (text == m_caption) return;
  m_caption = text;
  update();
}

void Label::BackColor(ColorRef color) {
  if (color == m_backColor) return;
  m_backColor = color;
  update();
}

void Label::ForeColor(ColorRef color) {
  if (color == m_foreColor) return;
  m_foreColor = color;
  update();
}

void Label::BackStyle(BackStyleKind style) {
  m_backStyle = style;
  update();
}

void Label::Alignment(AlignmentKind a) {
  m_alignment = a;
  update();
}

void Label::BorderStyle(BorderStyleKind b) {
  m_borderStyle = b;
  update();
}

void Label::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QRect all = rect();
  if (m_backStyle == BackStyleKind::Opaque) p.fillRect(all, toQColor(m_backColor));
  QRect textArea = all;
  if (m_borderStyle == BorderStyleKind::FixedSingle) {
    drawSunkenBorder(p, all, Bevel::Label);
    const int b = bevelWidth(Bevel::Label);
    textArea = all.adjusted(b, b, -b, -b);
  }
  if (m_caption.isEmpty()) return;
  int align = Qt::AlignTop | Qt::TextWordWrap;
  switch (m_alignment) {
    case AlignmentKind::LeftJustify:
      align |= Qt::AlignLeft;
      break;
    case AlignmentKind::RightJustify:
      align |= Qt::AlignRight;
      break;
    case AlignmentKind::Center:
      align |= Qt::AlignHCenter;
      break;
  }
  p.setFont(font());
  p.setPen(toQColor(m_foreColor));
  p.drawText(textArea, align, m_caption);
}

}  // namespace host
