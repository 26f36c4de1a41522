#include "host/forms/CheckBox.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "host/draw/Fonts.h"
#include "host/draw/SystemColors.h"

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

void CheckBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  // The background is the control's own color whatever the style would fill.
  p.fillRect(rect(), toQColor(m_backColor));
  QStyleOptionButton option;
  initStyleOption(&option);
  // The style draws the box; the caption is placed by its character cell, centred in the
  // height as the platform's check boxes do.
  QStyleOptionButton box = option;
  box.text.clear();
  box.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &p, this);
  if (option.text.isEmpty()) return;
  const QRect contents = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  p.setFont(font());
  p.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  drawCellText(p, contents, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, option.text);
  if ((option.state & QStyle::State_HasFocus) != 0) {
    // Around the caption's cell, where the style would put it (it shows only after keyboard
    // use).
    const int height = cellMetrics(font()).height();
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = QRect(contents.left(), contents.top() + (contents.height() - height) / 2,
                       fontMetrics().horizontalAdvance(withoutMnemonics(text())), height)
                     .adjusted(-1, 0, 1, 0);
    focus.backgroundColor = toQColor(m_backColor);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
  }
}

void CheckBox::applyColors() {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(m_backColor));
  pal.setColor(QPalette::WindowText, toQColor(m_foreColor));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(m_foreColor).darker(150));
  setPalette(pal);
}

}  // namespace host
