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

// The platform's logical font record, as far as the program fills it.
struct LogFont {
  int height = 0;      // pixels; negative: the character height (the em), positive: the cell
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;    // 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charSet = 0;
  int quality = 0;   // 3 non-antialiased, 4 antialiased
  QString faceName;  // at most 31 characters
};

// The font a logical font record describes (escapement is the caller's to apply).
QFont fontFromLogFont(const LogFont& lf);

}  // namespace host
