// The window's notice of why the screen cannot be read quotes the desktop (a portal's error
// message): what the line and its tooltip show is that text, never markup rendered (an image
// tag made the program open the file it names at every repaint).
#include <gtest/gtest.h>

#include <QLabel>
#include <QTextDocument>
#include <QWidget>

#include "host/screen/ScreenNotice.h"

namespace {

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
