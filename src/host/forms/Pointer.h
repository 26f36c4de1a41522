#pragma once

#include <QPoint>

class QWidget;

namespace host {

// Where the pointer is as the toolkit places windows and popup menus: its device-independent
// pixels on the virtual desktop (the screen's physical pixels come from the ScreenSource).
QPoint pointerPosition();

// The visible, enabled window or control at `p` (device-independent pixels), the deepest child
// included; null where there is none or it is disabled (the platform never reports a disabled
// window under the pointer).
const QWidget* WindowFromPoint(QPoint p);

}  // namespace host
