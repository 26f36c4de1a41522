#pragma once

#include <QFont>
#include <QString>

namespace host {

// Registers the design's fonts that fontconfig does not index (a Tahoma shipped by Debian's
// fonts-wine under /usr/share/wine/fonts). Safe to call more than once; returns whether Tahoma
// is available afterwards.
bool registerApplicationFonts();

// A font by the design's face name and size in points, mapped to what this desktop has: Tahoma
// if registered, Liberation Sans for Arial and MS Sans Serif, else the system sans.
QFont designFont(const QString& face, double points, bool bold = false);

}  // namespace host
