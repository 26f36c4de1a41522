#include "host/screen/ScreenNotice.h"

#include <QLabel>
#include <QPointer>
#include <QTextDocument>

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
  // A notice may quote the desktop (a portal's error message): text, never markup to render.
  line->setTextFormat(Qt::PlainText);
  // The window may go before the source: a notice after that has nowhere to show.
  const auto show = [guarded = QPointer<QLabel>(line)](const QString& text) {
    QLabel* shown = guarded.data();
    if (shown == nullptr) return;
    // The whole text stays in the tooltip and the accessible name when the line is cut short.
    shown->setText(shown->fontMetrics().elidedText(text, Qt::ElideRight, shown->width() - 8));
    // A tooltip renders whatever looks like markup: this one is escaped markup of the text, and
    // the description (the tooltip where none is set) stays the text itself.
    shown->setToolTip(text.isEmpty() ? QString() : Qt::convertFromPlainText(text));
    shown->setAccessibleName(text);
    shown->setAccessibleDescription(text);
    shown->setVisible(!text.isEmpty());
    shown->raise();
  };
  show(source.notice());
  source.onNoticeChanged(show);
}

}  // namespace host
