#include "ScreenNotice.h"

#include <QLabel>
#include <QPointer>

namespace host {

void showScreenNotice(ScreenSource& source, QWidget& window, const QRect& place) {
  if (!source.mayHaveNotice()) return;
  auto* line = new QLabel(&window);  // owned by the window
  line->setObjectName(QStringLiteral("screenNotice"));
  line->setAutoFillBackground(true);
  line->setStyleSheet(QStringLiteral("QLabel { background: #FFFFE1; color: #000000; }"));
  QFont font = line->font();
  font.setPixelSize(10);
  line->setFont(font);
  line->setGeometry(place);
  line->setIndent(4);
  // The window may go before the source: a notice after that has nowhere to show.
  const auto show = [line = QPointer<QLabel>(line)](const QString& text) {
    if (line.isNull()) return;
    // The whole text stays in the tooltip and the accessible name when the line is cut short.
    line->setText(line->fontMetrics().elidedText(text, Qt::ElideRight, line->width() - 8));
    line->setToolTip(text);
    line->setAccessibleName(text);
    line->setVisible(!text.isEmpty());
    line->raise();
  };
  show(source.notice());
  source.onNoticeChanged(show);
}

}  // namespace host
