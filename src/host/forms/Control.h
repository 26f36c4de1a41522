#pragma once

#include <QWidget>

#include "host/core/Twips.h"

namespace host {

// Places a control (or a window's inner area) at a design rectangle given in twips, converted
// with the screen's twips per pixel (x and widths horizontally, y and heights vertically).
void placeTwips(QWidget& widget, const TwipsRect& r);

// A control's current geometry in twips.
TwipsRect geometryTwips(const QWidget& widget);
// The runtime's Left and Width of a control, in twips: one edge moves, the others stay.
void setLeftTwips(QWidget& widget, int twips);
void setWidthTwips(QWidget& widget, int twips);

// Draws the runtime's single-line 3D border of a text box or picture box (two pixels: an outer
// grey/white and an inner dark/light edge, sunken) or a label's one-pixel sunken edge.
enum class Bevel { Label, Box };
void drawSunkenBorder(class QPainter& p, const QRect& outer, Bevel kind);
int bevelWidth(Bevel kind);

}  // namespace host
