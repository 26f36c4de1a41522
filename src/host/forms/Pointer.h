#pragma once

#include <QPoint>

namespace host {

// Where the pointer is as the toolkit places windows and popup menus: its device-independent
// pixels on the virtual desktop (the screen's physical pixels come from the ScreenSource).
QPoint pointerPosition();

}  // namespace host
