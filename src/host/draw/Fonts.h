#pragma once

#include <QFont>
#include <QString>
#include <vector>

class QPainter;
class QRect;

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

// A font's character cell as the platform's text calls lay it out, in pixels: the ascent and
// descent of the font's Windows metrics (usWinAscent and usWinDescent of its OS/2 table) scaled to
// its pixel size and rounded. The toolkit measures by the typographic metrics where a font asks
// for them (the Tahoma installed here does), which puts every baseline two pixels higher than the
// platform does at the program's sizes; text placed by the cell sits where the platform draws it.
// A font without those tables keeps the toolkit's own metrics.
struct CellMetrics {
  int ascent = 0;
  int descent = 0;
  int height() const { return ascent + descent; }
};
CellMetrics cellMetrics(const QFont& font);

// `text` as shown with its mnemonic prefixes: each "&" dropped and the character after it kept
// ("&&" shows one "&", a last "&" stays); `underlined`, where given, receives the positions in the
// result of the characters a single "&" marks.
QString withoutMnemonics(const QString& text, std::vector<int>* underlined = nullptr);

// Draws `text` with the painter's font and pen as the platform's text calls place it: the first
// line's cell at the top of `box` (or, with Qt::AlignVCenter, the lines' cells centred in it),
// each baseline one cell ascent below its cell's top, each further line one cell height lower.
// `flags` takes the horizontal alignment, Qt::AlignVCenter, Qt::TextWordWrap (break at words to
// the box's width), Qt::TextShowMnemonic ("&" underlines the next character, "&&" is one "&")
// and Qt::TextDontClip (by default nothing is drawn outside `box`).
void drawCellText(QPainter& p, const QRect& box, int flags, const QString& text);

}  // namespace host
