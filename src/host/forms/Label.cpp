#include "host/forms/Label.h"

#include <QPainter>
#include <utility>

#include "host/draw/Fonts.h"
#include "host/draw/SystemColors.h"
#include "host/forms/AccessibleChanges.h"
#include "host/forms/Control.h"

namespace host {

// An opaque label fills its whole rectangle: telling the toolkit so spares the repaint of what
// lies under it (the form's gradient, the group frames, the captions it overlaps) each time its
// caption or colour changes; a transparent one shows what lies under it, which is painted first.
Label::Label(QWidget* parent) : QWidget(parent) {
  forwardMouseEvents(*this, *this, MouseForwarding::Consume);
  setAttribute(Qt::WA_OpaquePaintEvent, m_backStyle == BackStyleKind::Opaque);
}

void Label::Caption(const QString& text) {
  if (text == m_caption) return;
  const QString before = std::exchange(m_caption, text);
  update();
  for (const Captioned& c : m_captioned) {
    if (c.use == CaptionUse::Names && c.control != nullptr) c.control->setAccessibleName(m_caption);
  }
  if (accessibility::listening() && !m_swatch) {
    if (accessibleName().isEmpty()) accessibility::nameChanged(*this);
    accessibility::textChanged(*this, before, m_caption);
  }
}

void Label::BackColor(ColorRef color) {
  if (color == m_backColor) return;
  const ColorRef before = std::exchange(m_backColor, color);
  update();
  if (m_swatch && accessibility::listening()) {
    accessibility::textChanged(*this, toQColor(before).name().toUpper(), swatchText());
  }
}

QString Label::swatchText() const {
  return toQColor(m_backColor).name().toUpper();
}

void Label::captions(QWidget& control, CaptionUse use) {
  m_captioned.push_back({&control, use});
  if (use == CaptionUse::Names) control.setAccessibleName(m_caption);
}

std::vector<QWidget*> Label::captionedControls() const {
  std::vector<QWidget*> controls;
  for (const Captioned& c : m_captioned) {
    if (c.control != nullptr) controls.push_back(c.control);
  }
  return controls;
}

void Label::ForeColor(ColorRef color) {
  if (color == m_foreColor) return;
  m_foreColor = color;
  update();
}

void Label::BackStyle(BackStyleKind style) {
  m_backStyle = style;
  setAttribute(Qt::WA_OpaquePaintEvent, style == BackStyleKind::Opaque);
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
  int align = Qt::TextWordWrap;
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
  drawCellText(p, textArea, align, m_caption);
}

}  // namespace host
