#pragma once

#include <QCheckBox>

#include "host/core/ColorRef.h"
#include "host/forms/Event.h"

namespace host {

// The runtime's check box: Value 0 (clear), 1 (ticked) or 2 (greyed); a Click event whenever
// the value changes, by the user or by code; colors; Enabled; SetFocus.
class CheckBox : public QCheckBox {
 public:
  explicit CheckBox(QWidget* parent);

  int Value() const;
  void Value(int value);
  QString Caption() const { return text(); }
  void Caption(const QString& caption) { setText(caption); }
  ColorRef BackColor() const { return m_backColor; }
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color);
  bool Enabled() const { return isEnabled(); }
  void Enabled(bool on) { setEnabled(on); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  QString ToolTipText() const { return toolTip(); }
  void ToolTipText(const QString& text) { setToolTip(text); }

  Event<> Click{"Click"};

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void applyColors();

  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
};

}  // namespace host
