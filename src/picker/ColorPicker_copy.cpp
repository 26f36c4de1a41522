// Copying a color in any notation: the "Copy as" submenu that every text box's edit menu gets, and
// Ctrl+Shift+C, which copies in the notation chosen there last (HTML until one is). The choice
// lives as long as the window.
#include <QAction>
#include <QMenu>
#include <QString>

#include "ColorPicker.h"
#include "host/forms/TextBox.h"
#include "host/platform/Platform.h"

namespace {

// An item's caption shows '&' only doubled: a single one marks the next letter as its key.
QString menuCaption(QString text) {
  return text.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

void ColorPicker::wireCopyItems() {
  // The readout boxes copy the color they show: none before the first reading.
  const auto items = [this](QMenu& menu) {
    if (m_shownColor) addCopyItems(menu, *m_shownColor);
  };
  txt_Hex->ContextMenu.connect(items);
  txt_vbcode->ContextMenu.connect(items);
}

void ColorPicker::addCopyItems(QMenu& menu, host::ColorRef color) {
  menu.addSeparator();
  QMenu* copyAs = menu.addMenu(QStringLiteral("Copy as"));
  // A screen reader names the submenu by it (a menu's title is its item's, not its own).
  copyAs->setAccessibleName(QStringLiteral("Copy as"));
  for (const ColorText::Notation n : ColorText::kNotations) {
    const QString text = QString::fromStdString(ColorText::format(n, color));
    QAction* item = copyAs->addAction(menuCaption(text));
    // The notation Ctrl+Shift+C copies in carries the check mark (and only a ticked item is
    // checkable: the styles draw an empty box beside any other).
    if (n == m_copyNotation) {
      item->setCheckable(true);
      item->setChecked(true);
    }
    connect(item, &QAction::triggered, this, [this, n, text] {
      m_copyNotation = n;
      host::copyToClipboard(text);
    });
  }
}

std::optional<host::ColorRef> ColorPicker::currentColor() const {
  if (m_mixer && m_mixer->isOpen()) return m_mixer->color();
  return m_shownColor;
}

void ColorPicker::copyCurrentColor() {
  if (const std::optional<host::ColorRef> c = currentColor())
    host::copyToClipboard(QString::fromStdString(ColorText::format(m_copyNotation, *c)));
}
