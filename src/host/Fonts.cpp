#include "Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <array>
#include <cstdlib>

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

}  // namespace host
