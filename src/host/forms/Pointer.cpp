#include "host/forms/Pointer.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace host {

QPoint pointerPosition() {
  return QCursor::pos();
}

const QWidget* WindowFromPoint(QPoint p) {
  const QWidget* w = QApplication::widgetAt(p);
  return w != nullptr && w->isEnabled() ? w : nullptr;
}

}  // namespace host
