#include "host/forms/Pointer.h"

#include <QCursor>

namespace host {

QPoint pointerPosition() {
  return QCursor::pos();
}

}  // namespace host
