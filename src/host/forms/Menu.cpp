#include "host/forms/Menu.h"

#include <QAction>
#include <QMenu>

namespace host {

MenuItem::MenuItem(QAction* action) : m_action(action) {
  QObject::connect(action, &QAction::triggered, action, [this] {
    // The toolkit toggles a checkable item when it is chosen; the check mark is code's alone.
    m_action->setChecked(m_checked);
    Click.raise();
  });
}

QString MenuItem::Caption() const {
  return m_action->text();
}
void MenuItem::Caption(const QString& caption) {
  m_action->setText(caption);
}

void MenuItem::Checked(bool on) {
  m_checked = on;
  // Only a ticked item is checkable: the toolkit's styles draw an empty box beside every
  // checkable item that is not checked, where the runtime shows nothing.
  m_action->setCheckable(on);
  m_action->setChecked(on);
}

bool MenuItem::Visible() const {
  return m_action->isVisible();
}
void MenuItem::Visible(bool on) {
  m_action->setVisible(on);
}
bool MenuItem::Enabled() const {
  return m_action->isEnabled();
}
void MenuItem::Enabled(bool on) {
  m_action->setEnabled(on);
}

Menu::Menu(QWidget* owner) : m_menu(std::make_unique<QMenu>(owner)) {}

Menu::~Menu() = default;

void Menu::Caption(const QString& caption) {
  m_menu->setTitle(caption);
  m_menu->setAccessibleName(caption);
}

MenuItem& Menu::addItem(const QString& caption) {
  QAction* action = m_menu->addAction(caption);
  m_items.push_back(std::make_unique<MenuItem>(action));
  return *m_items.back();
}

Menu& Menu::addSubmenu(const QString& caption, MenuItem** item) {
  m_submenus.push_back(std::make_unique<Menu>(m_menu.get()));
  Menu& sub = *m_submenus.back();
  sub.Caption(caption);
  QAction* action = m_menu->addMenu(sub.m_menu.get());
  m_items.push_back(std::make_unique<MenuItem>(action));
  if (item != nullptr) *item = m_items.back().get();
  return sub;
}

void Menu::PopupAt(const QPoint& globalPos) {
  m_menu->popup(globalPos);
}

}  // namespace host
