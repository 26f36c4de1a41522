#include "host/forms/TextBox.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "host/draw/Fonts.h"
#include "host/draw/SystemColors.h"
#include "host/forms/Control.h"
#include "host/forms/Forms.h"

namespace host {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  forwardMouseEvents(*this, *this, MouseForwarding::PassOn);
  setFrame(false);
  // The box paints every pixel of its rectangle (its background, then the border over it), so
  // what lies under it is not painted again each time its text changes.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  applyMargins();
  applyColors();
}

void TextBox::applyMargins() {
  // As the platform's edit boxes place their line: inside the border, one pixel lower where the
  // box has room for a line and a pixel above and below it, and the baseline one character
  // cell's ascent below the line's top (the toolkit would use its own, smaller ascent, and always
  // one pixel of room). Nothing is drawn below the border's inner edge.
  const int b = bevelWidth(Bevel::Box);
  const CellMetrics cell = cellMetrics(font());
  const int room = height() - 2 * b >= cell.height() + 2 ? 1 : 0;
  constexpr int kToolkitRoom = 1;
  const int top = b + room - kToolkitRoom + cell.ascent - fontMetrics().ascent();
  setTextMargins(b + 1, std::max(0, top), b, b);
}

void TextBox::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) applyMargins();
}

void TextBox::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  applyMargins();
}

void TextBox::Text(const QString& value) {
  if (value == text()) return;
  setText(value);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
  if (!ContextMenu.hasListeners()) {
    QLineEdit::contextMenuEvent(event);
    return;
  }
  // As the toolkit shows its own: not waited on, deleted once closed.
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  ContextMenu.raise(*menu);
  menu->popup(event->globalPos());
}

int TextBox::SelStart() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextBox::SelStart(int pos) {
  setCursorPosition(std::clamp(pos, 0, static_cast<int>(text().size())));
}

void TextBox::SelLength(int length) {
  const int start = std::clamp(SelStart(), 0, static_cast<int>(text().size()));
  const int len = std::clamp(length, 0, static_cast<int>(text().size()) - start);
  if (len == 0) {
    setCursorPosition(start);
  } else {
    setSelection(start, len);
  }
}

void TextBox::BackColor(ColorRef color) {
  m_backColor = color;
  applyColors();
}

void TextBox::ForeColor(ColorRef color) {
  m_foreColor = color;
  applyColors();
}

void TextBox::applyColors() {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, toQColor(m_backColor));
  pal.setColor(QPalette::Text, toQColor(m_foreColor));
  setPalette(pal);
}

void TextBox::raiseGotFocus() {
  GotFocus.raise();
}

void TextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::MouseFocusReason) {
    // The press that focused the box has not placed the caret yet; raise GotFocus after it.
    m_focusByMouse = true;
  } else {
    raiseGotFocus();
  }
}

void TextBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  m_holdSelection = false;
  if (m_focusByMouse) {
    m_focusByMouse = false;
    raiseGotFocus();
    m_holdSelection = true;  // a drag of this same press must not undo the handler's selection
  }
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
  if (m_holdSelection && (event->buttons() & Qt::LeftButton)) return;
  m_holdSelection = false;
  QLineEdit::mouseMoveEvent(event);
}

void TextBox::paintEvent(QPaintEvent* event) {
  {
    QPainter under(this);
    under.fillRect(rect(), toQColor(m_backColor));
  }
  QLineEdit::paintEvent(event);
  QPainter p(this);
  drawSunkenBorder(p, rect(), Bevel::Box);
}

}  // namespace host
