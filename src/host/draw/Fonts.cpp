#include "host/draw/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <utility>

namespace host {

namespace {
bool g_tahoma = false;
bool g_tried = false;
}  // namespace

bool registerApplicationFonts() {
  if (g_tried) return g_tahoma;
  g_tried = true;
  constexpr std::array kFiles{"/usr/share/wine/fonts/tahoma.ttf",
                              "/usr/share/wine/fonts/tahomabd.ttf"};
  for (const char* file : kFiles) {
    if (QFile::exists(QString::fromLatin1(file)) &&
        QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0) {
      g_tahoma = true;
    }
  }
  return g_tahoma;
}

QFont designFont(const QString& face, double points, bool bold) {
  QString family = face;
  if (face.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0) {
    if (!registerApplicationFonts()) family = QStringLiteral("DejaVu Sans");
  } else if (face.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
             face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
    family = QStringLiteral("Liberation Sans");
  }
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont fontFromLogFont(const LogFont& lf) {
  QFont font = designFont(lf.faceName.left(31), 8.25, lf.weight >= 600);
  if (lf.height != 0) font.setPixelSize(std::abs(lf.height));
  font.setItalic(lf.italic);
  font.setUnderline(lf.underline);
  font.setStrikeOut(lf.strikeOut);
  if (lf.quality == 3) font.setStyleStrategy(QFont::NoAntialias);
  if (lf.quality == 4) font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

namespace {

// A big-endian 16-bit field of a font table.
int u16(const QByteArray& table, int offset) {
  return (static_cast<unsigned char>(table[offset]) << 8) |
         static_cast<unsigned char>(table[offset + 1]);
}

CellMetrics measureCell(const QFont& font) {
  const QFontMetrics fm(font);
  const CellMetrics toolkit{fm.ascent(), fm.descent()};
  const QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return toolkit;
  // usWinAscent and usWinDescent (font units, unsigned) close the OS/2 table's first version.
  constexpr int kWinAscent = 74, kWinDescent = 76;
  const QByteArray os2 = raw.fontTable("OS/2");
  const qreal unitsPerEm = raw.unitsPerEm();
  const qreal pixels = raw.pixelSize();
  if (os2.size() < kWinDescent + 2 || unitsPerEm <= 0 || pixels <= 0) return toolkit;
  const auto scaled = [&](int units) {
    return static_cast<int>(std::lround(units * pixels / unitsPerEm));
  };
  const CellMetrics cell{scaled(u16(os2, kWinAscent)), scaled(u16(os2, kWinDescent))};
  return cell.height() > 0 ? cell : toolkit;
}

}  // namespace

CellMetrics cellMetrics(const QFont& font) {
  // Asked on every paint of every caption: measured once per font (GUI thread only). Most asks
  // repeat the last font, which is told apart without making its key.
  static QFont lastFont;
  static CellMetrics lastCell;
  static bool haveLast = false;
  if (haveLast && font == lastFont) return lastCell;
  static std::unordered_map<QString, CellMetrics> known;
  const QString key = font.key();
  auto found = known.find(key);
  if (found == known.end()) found = known.emplace(key, measureCell(font)).first;
  lastFont = font;
  haveLast = true;
  lastCell = found->second;
  return lastCell;
}

QString withoutMnemonics(const QString& text, std::vector<int>* underlined) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
      ++i;
      if (underlined != nullptr && text[i] != QLatin1Char('&'))
        underlined->push_back(static_cast<int>(shown.size()));
    }
    shown += text[i];
  }
  return shown;
}

namespace {

// A caption laid out in lines, kept for its next paint: readouts show the same few hundred texts
// again and again, and shaping one costs more than drawing it. What is kept is the shaped glyphs
// with their positions (layout coordinates, pixels), a fraction of the memory of a whole layout;
// a caption with decorations (mnemonics, an underlined or struck-out font) keeps its layout.
struct LaidOut {
  QList<QGlyphRun> runs;
  std::unique_ptr<QTextLayout> layout;  // decorated captions only
  int lines = 0;
  bool usedAgain = false;  // since the last sweep
};

struct LayoutKey {
  QString text;
  QFont font;
  int flags = 0;
  int width = 0;
  int dpiX = 0;
  int dpiY = 0;
  bool operator==(const LayoutKey&) const = default;
};

struct LayoutKeyHash {
  size_t operator()(const LayoutKey& k) const {
    return qHashMulti(0, k.text, k.font, k.flags, k.width, k.dpiX, k.dpiY);
  }
};

// At most this many kept (about a hundred kilobytes; GUI thread only). When full, those not used
// again since the last sweep go (a position readout's texts seldom come back), or all if none.
// Under a moving pointer about half the draws find their caption kept (six in ten with twice as
// many kept, which holds 0.1 to 0.3 MB more of the heap once its gaps are counted).
constexpr std::size_t kLaidOutKept = 256;

// The kept entry, valid until the next call (the map's entries stay where they are as it grows).
const LaidOut& laidOut(const QString& text, const QFont& font, QPaintDevice& device, int flags,
                       int width, const CellMetrics& cell) {
  static std::unordered_map<LayoutKey, LaidOut, LayoutKeyHash> kept;
  LayoutKey key{text, font, flags, width, device.logicalDpiX(), device.logicalDpiY()};
  if (const auto found = kept.find(key); found != kept.end()) {
    found->second.usedAgain = true;
    return found->second;
  }
  if (kept.size() >= kLaidOutKept) {
    for (auto it = kept.begin(); it != kept.end();)
      it = std::exchange(it->second.usedAgain, false) ? std::next(it) : kept.erase(it);
    if (kept.size() >= kLaidOutKept / 2) kept.clear();
  }
  // A line break is CR LF, or either alone.
  QString source = text;
  source.replace(QLatin1String("\r\n"), QChar(QChar::LineSeparator));
  source.replace(QLatin1Char('\r'), QChar(QChar::LineSeparator));
  source.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
  QString shown = source;
  QList<QTextLayout::FormatRange> underlines;
  if ((flags & Qt::TextShowMnemonic) != 0) {
    std::vector<int> marked;
    shown = withoutMnemonics(source, &marked);
    for (const int at : marked) {
      QTextLayout::FormatRange r;
      r.start = at;
      r.length = 1;
      r.format.setFontUnderline(true);
      underlines.append(r);
    }
  }
  LaidOut laid;
  auto owned = std::make_unique<QTextLayout>(shown, font, &device);
  QTextLayout& layout = *owned;
  QTextOption option;
  option.setWrapMode((flags & Qt::TextWordWrap) != 0 ? QTextOption::WordWrap
                                                     : QTextOption::ManualWrap);
  option.setAlignment(Qt::Alignment(flags & Qt::AlignHorizontal_Mask));
  layout.setTextOption(option);
  layout.setFormats(underlines);
  // The shaped glyphs stay with the lines: by default the layout drops them when it ends, and
  // taking the glyph runs or drawing would shape the text again.
  layout.setCacheEnabled(true);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    // The line's own top is its baseline less the toolkit's ascent.
    line.setPosition(QPointF(0, laid.lines * cell.height() + cell.ascent - line.ascent()));
    ++laid.lines;
  }
  layout.endLayout();
  // A decorated caption keeps its layout, which draws the lines under, over or through the text.
  const bool decorated =
      !underlines.isEmpty() || font.underline() || font.overline() || font.strikeOut();
  if (decorated)
    laid.layout = std::move(owned);
  else
    laid.runs = layout.glyphRuns();
  return kept.emplace(std::move(key), std::move(laid)).first->second;
}

}  // namespace

void drawCellText(QPainter& p, const QRect& box, int flags, const QString& text) {
  if (text.isEmpty()) return;
  const QFont font = p.font();
  const CellMetrics cell = cellMetrics(font);
  const LaidOut& laid = laidOut(text, font, *p.device(), flags, box.width(), cell);
  int top = box.top();
  if ((flags & Qt::AlignVCenter) != 0) top += (box.height() - laid.lines * cell.height()) / 2;
  // Clipped to the box. A painter that clips nothing yet (a control's own paint) is clipped and
  // then let go, which costs a fraction of keeping its state and restoring it.
  const bool clip = (flags & Qt::TextDontClip) == 0;
  const bool clippedBefore = clip && p.hasClipping();
  if (clippedBefore) {
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
  } else if (clip) {
    p.setClipRect(box, Qt::ReplaceClip);
  }
  const QPointF at(box.left(), top);
  if (laid.layout != nullptr) {
    laid.layout->draw(&p, at);
  } else {
    for (const QGlyphRun& run : laid.runs)
      p.drawGlyphRun(at, run);
  }
  if (clippedBefore)
    p.restore();
  else if (clip)
    p.setClipping(false);
}

}  // namespace host
