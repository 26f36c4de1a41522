#pragma once

#include <QLineEdit>

#include "host/core/ColorRef.h"
#include "host/forms/MouseEvents.h"

class QMenu;

namespace host {

// The forms runtime's single-line text box, here always used read-only: Text, the selection as
// SelStart/SelLength (characters), colors, a single 3D border, and the GotFocus event. GotFocus
// runs after a focusing mouse press has placed the caret, so a handler that selects the whole
// text keeps its selection when the box is clicked.
class TextBox : public QLineEdit, public MouseEvents {
 public:
  explicit TextBox(QWidget* parent);

  QString Text() const { return text(); }
  void Text(const QString& value);
  int SelStart() const;
  void SelStart(int pos);
  int SelLength() const { return static_cast<int>(selectedText().size()); }
  void SelLength(int length);
  // Caret to 0 and the whole text selected, ready to copy.
  void selectWholeText() {
    SelStart(0);
    SelLength(static_cast<int>(Text().size()));
  }
  ColorRef BackColor() const { return m_backColor; }
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color);
  bool Locked() const { return isReadOnly(); }
  void Locked(bool on) { setReadOnly(on); }

  Event<> GotFocus{"GotFocus"};
  // Raised with the box's edit menu (the toolkit's own: Copy, Select All ...) before it shows,
  // at a right click or the menu key, for the window to add its items to.
  Event<QMenu&> ContextMenu{"ContextMenu"};

 protected:
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void applyColors();
  void applyMargins();
  void raiseGotFocus();

  ColorRef m_backColor = SystemColor::WindowBackground;
  ColorRef m_foreColor = SystemColor::WindowText;
  bool m_focusByMouse = false;
  bool m_holdSelection = false;
};

}  // namespace host
