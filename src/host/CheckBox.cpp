#include "CheckBox.h"

#include <QPainter>

#include "SystemColors.h"

namespace host {

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) {
  // Space and clicks go round clear and ticked only; greyed is for code to set.
  setTristate(false);
  // Qt 6.7 replaced stateChanged by checkStateChanged.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
  QObject::connect(this, &QCheckBox::checkStateChanged, this, [this] { Click.raise(); });
#else
  QObject::connect(this, &QCheckBox::stateChanged, this, [this] { Click.raise(); });
#endif
  applyColors();
}

int CheckBox::Value() const {
  switch (checkState()) {
    case Qt::Unchecked:
      return 0;
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
  }
  return 0;
}

void CheckBox::Value(int value) {
  const Qt::CheckState state = value == 1   ? Qt::Checked
                               : value == 2 ? Qt::PartiallyChecked
                                            : Qt::Unchecked;
  setCheckState(state);
}

void CheckBox::BackColor(ColorRef color) {
  m_backColor = color;
  applyColors();
}

void CheckBox::ForeColor(ColorRef color) {
  m_foreColor = color;
  applyColors();
}

void CheckBox::paintEvent(QPaintEvent* event) {
  {
    // The background is the control's own color whatever the style would fill.
    QPainter p(this);
    p.fillRect(rect(), toQColor(m_backColor));
  }
  QCheckBox::paintEvent(event);
}

void CheckBox::applyColors() {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(m_backColor));
  pal.setColor(QPalette::WindowText, toQColor(m_foreColor));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(m_foreColor).darker(150));
  setPalette(pal);
}

}  // namespace host
