#pragma once

#include <QPoint>
#include <QRect>

class QScreen;

namespace host {

// The toolkit places windows and reports its pointer in device-independent pixels; the display
// reads and moves in physical ones. Each screen keeps its top-left corner where the display has
// it and is scaled about that corner by its factor, so a point maps through the screen it lies
// on, rounded to the nearest pixel as the toolkit rounds. Off every screen, a point maps
// unchanged.
QPoint toPhysical(QPoint deviceIndependent);
QRect toPhysical(const QRect& deviceIndependent);
QPoint fromPhysical(QPoint physical);

// A screen's geometry in physical pixels: its top-left corner is the display's, its size the
// device-independent one times the factor.
QRect physicalGeometry(const QScreen& s);
// The toolkit's screen that holds physical pixel `p`, or nullptr.
QScreen* screenAtPhysical(QPoint p);

}  // namespace host
