// What the program does with a screen source: where it looks for its Wayland module (an installed
// program never beside itself), and the window's notice of why the screen cannot be read, which
// quotes the desktop (a portal's error message) and so shows that text and never renders it as
// markup (an image tag made the program open the file it names at every repaint).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QWidget>

#include "host/screen/ScreenNotice.h"
#include "host/screen/ScreenSourceLoader.h"
#include "host/screen/X11ReadAhead.h"

namespace {

TEST(PortalModulePathTest, AnInstalledProgramLooksOnlyInItsPrivateFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString r = root.path();
  for (const char* dir : {"usr/bin", "usr/lib/tintwell", "build/src/picker", "opt/bin"})
    ASSERT_TRUE(QDir(r).mkpath(QString::fromLatin1(dir)));
  // A library planted beside the installed program is never looked at.
  ASSERT_TRUE(QFile(r + QStringLiteral("/usr/bin/tintwell-portal.so")).open(QIODevice::WriteOnly));
  struct Case {
    const char* what;
    QString programDir;
    QString installBinDir;
    QString expected;
  };
  const Case cases[] = {
      {"installed, its private folder beside it, a library planted beside it", r + "/usr/bin",
       "/usr/bin", r + "/usr/lib/tintwell/tintwell-portal.so"},
      {"run from the folder it was installed to, the private folder missing", r + "/opt/bin",
       r + "/opt/bin/", r + "/opt/lib/tintwell/tintwell-portal.so"},
      {"in the build tree", r + "/build/src/picker", "/usr/bin",
       r + "/build/src/picker/tintwell-portal.so"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        host::portalModulePath(c.programDir, QStringLiteral("../lib/tintwell"), c.installBinDir),
        c.expected)
        << c.what;
  }
}

class NoticeSource final : public host::ScreenSource {
 public:
  explicit NoticeSource(QString text) : m_text(std::move(text)) {}
  QPoint cursorPos() override { return {}; }
  host::ColorRef pixel(QPoint) override { return host::kInvalidColor; }
  QImage grab(const QRect&) override { return {}; }
  std::optional<QRect> screenGeometryAt(QPoint) override { return std::nullopt; }
  bool mayHaveNotice() const override { return true; }
  QString notice() const override { return m_text; }

 private:
  QString m_text;
};

// What a person reads of `text` shown as `format`, the way a label or a tooltip decides.
std::string shown(const QString& text, Qt::TextFormat format) {
  QTextDocument document;
  if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text))) {
    document.setHtml(text);
  } else {
    document.setPlainText(text);
  }
  return document.toPlainText().toStdString();
}

TEST(ScreenNotice, ShowsTheDesktopsWordsAsTextNeverAsMarkup) {
  for (const QString& text : {QStringLiteral("Wayland: screen sharing failed (<img src=/zz>)."),
                              QStringLiteral("Wayland: screen sharing failed (&lt;b&gt; & <b>)."),
                              QStringLiteral("Wayland: waiting for the desktop to share it.")}) {
    SCOPED_TRACE(text.toStdString());
    QWidget window;
    NoticeSource source(text);
    host::showScreenNotice(source, window, QRect(0, 0, 4000, 17));
    const auto* line = window.findChild<QLabel*>(QStringLiteral("screenNotice"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(shown(line->text(), line->textFormat()), text.toStdString());
    // A tooltip takes whatever might be markup for markup.
    EXPECT_EQ(shown(line->toolTip(), Qt::AutoText), text.toStdString());
    EXPECT_EQ(line->accessibleName().toStdString(), text.toStdString());
  }
}

// What the X11 source reads ahead and keeps, decided without a display: each case passes in the
// times, positions and images the source would.
using host::X11ReadAhead;
using ms = std::chrono::milliseconds;

// Far from the clock's zero, which stands for "never asked".
const X11ReadAhead::Time T0 = X11ReadAhead::Time{} + std::chrono::hours(1);
const QRect kRoot(0, 0, 1280, 1024);
const QRect kBlock(100, 100, 15, 15);         // the magnifier's block around (107, 107)
const QRect kAround(76, 76, 63, 63);          // kBlock and 24 pixels a side
const host::ColorRef kBlockColor = 0x996633;  // the QRgb 0x336699

QImage filled(QSize size, QRgb rgb) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(rgb);
  return image;
}

// (When an area is read ahead, for how long after the last grab and the last move, restates the
// source's timings; that grabs following a moving pointer are cut from it and equal fresh reads is
// checked end to end on a real display.)
TEST(X11ReadAhead, CutsTheGrabOfThisTurnFromTheAreaReadAhead) {
  enum class Then { Nothing, DrawnBeforeQuery, DrawnAfterQuery, SegmentReused, Warped };
  struct Case {
    const char* what;
    QRect grab;
    int after;  // ms after the query
    Then then;
    bool cut, lasts;
  };
  const QRect step(103, 100, 15, 15);
  const Case cases[] = {
      {"the same turn", step, 1, Then::Nothing, true, true},
      {"the area's far corner", QRect(124, 124, 15, 15), 1, Then::Nothing, true, true},
      {"a pixel beyond it", QRect(125, 124, 15, 15), 1, Then::Nothing, false, false},
      {"2 ms later: another turn", step, 2, Then::Nothing, false, false},
      {"drawn on before the query", step, 1, Then::DrawnBeforeQuery, true, true},
      {"drawn on after it: this turn only", step, 1, Then::DrawnAfterQuery, true, false},
      {"another read into the segment since", step, 1, Then::SegmentReused, false, false},
      {"the pointer warped since", step, 1, Then::Warped, false, false},
  };
  for (const Case& c : cases) {
    X11ReadAhead reads(true);
    reads.pointerQueried(T0 - ms(20), QPoint(100, 107), {});
    reads.pointerQueried(T0 - ms(10), QPoint(107, 107), {});
    reads.keepGrab(kBlock, T0 - ms(10), filled(kBlock.size(), 0), false);
    if (c.then == Then::DrawnBeforeQuery) reads.drawn();
    reads.pointerQueried(T0, QPoint(110, 107), reads.areaToReadAhead(T0, kRoot));
    if (c.then == Then::DrawnAfterQuery) reads.drawn();
    if (c.then == Then::SegmentReused) reads.segmentOverwritten();
    if (c.then == Then::Warped) reads.pointerWarped();
    const X11ReadAhead::Time now = T0 + ms(c.after);
    const std::optional<QRect> area = reads.readAheadHolding(c.grab, now);
    ASSERT_EQ(area.has_value(), c.cut) << c.what;
    if (!area) continue;
    EXPECT_EQ(*area, kAround) << c.what;
    // The cut is a view of the shared segment, which the next read overwrites.
    QImage segment = filled(c.grab.size(), 0x336699u);
    reads.keepGrab(c.grab, now, QImage(segment.constBits(), 15, 15, 60, QImage::Format_RGB32),
                   true);
    segment.fill(0u);
    EXPECT_EQ(reads.grabsCut(), 1u) << c.what;
    const QImage* kept = reads.keptGrab(c.grab, now + ms(1));
    ASSERT_EQ(kept != nullptr, c.lasts) << c.what;
    if (kept) {
      EXPECT_EQ(kept->pixel(14, 14) & 0xFFFFFFu, 0x336699u) << c.what;
    }
  }
}

TEST(X11ReadAhead, KeepsGrabsAndPixelsUntilSomethingIsDrawn) {
  struct Case {
    const char* what;
    bool reports, readFails, drawnSince, kept;
  };
  const Case cases[] = {
      {"nothing drawn since", true, false, false, true},
      {"drawn on since", true, false, true, false},
      {"without drawing reports", false, false, false, false},
      {"nothing could be read", true, true, false, false},
  };
  const host::ColorRef pixel = host::RGB(1, 2, 3);
  for (const Case& c : cases) {
    X11ReadAhead reads(c.reports);
    reads.keepGrab(kBlock, T0, c.readFails ? QImage() : filled(kBlock.size(), 0x336699u), false);
    const auto read = c.readFails ? std::nullopt : std::optional(pixel);
    EXPECT_EQ(reads.keepPixel(QPoint(5, 5), read), c.readFails ? host::kInvalidColor : pixel);
    if (c.drawnSince) reads.drawn();
    const auto ifKept = [&c](host::ColorRef v) { return c.kept ? std::optional(v) : std::nullopt; };
    EXPECT_EQ(reads.keptGrab(kBlock, T0 + ms(500)) != nullptr, c.kept) << c.what;
    EXPECT_EQ(reads.keptPixel(QPoint(5, 5)), ifKept(pixel)) << c.what;
    EXPECT_EQ(reads.keptPixel(QPoint(114, 100)), ifKept(kBlockColor)) << c.what << ": in the grab";
    EXPECT_EQ(reads.keptGrab(kBlock.translated(1, 0), T0), nullptr) << c.what;
    EXPECT_EQ(reads.keptPixel(QPoint(99, 100)), std::nullopt) << c.what;
  }
}

TEST(X11ReadAhead, ReusesThePointerForOneTurnAndTellsAMove) {
  X11ReadAhead reads;
  EXPECT_EQ(reads.recentPointer(T0), std::nullopt);
  EXPECT_FALSE(reads.pointerQueried(T0, QPoint(5, 6), {})) << "the first position is no move";
  EXPECT_EQ(reads.recentPointer(T0 + ms(1)), QPoint(5, 6));
  EXPECT_EQ(reads.recentPointer(T0 + ms(2)), std::nullopt);
  EXPECT_FALSE(reads.pointerQueried(T0 + ms(2), std::nullopt, {})) << "a failed query";
  EXPECT_EQ(reads.pointer(), QPoint(5, 6));
  EXPECT_TRUE(reads.pointerQueried(T0 + ms(3), QPoint(6, 6), {}));
  reads.pointerWarped();
  EXPECT_EQ(reads.recentPointer(T0 + ms(3)), std::nullopt) << "after a warp it is asked for";
}

}  // namespace
