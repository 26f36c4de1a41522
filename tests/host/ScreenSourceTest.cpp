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

}  // namespace
