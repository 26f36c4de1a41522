#pragma once

#include <QRect>
#include <QWidget>

#include "host/screen/ScreenSource.h"

namespace host {

// Shows, in one line over `place` (pixels of `window`), why `source` cannot read the screen (a
// Wayland desktop without a screen-sharing portal, sharing declined, the stream stopped), for as
// long as that holds. Sources that always read the screen show nothing.
void showScreenNotice(ScreenSource& source, QWidget& window, const QRect& place);

}  // namespace host
