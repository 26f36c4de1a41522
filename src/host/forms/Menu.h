#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "host/forms/Event.h"

class QAction;
class QPoint;
class QMenu;
class QWidget;

namespace host {

// One menu item of the runtime: Caption, Checked, Visible, Enabled, and a Click event. A check
// mark changes only when code sets Checked (choosing the item does not toggle it by itself).
class MenuItem {
 public:
  explicit MenuItem(QAction* action);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  QString Caption() const;
  void Caption(const QString& caption);
  bool Checked() const { return m_checked; }
  void Checked(bool on);
  bool Visible() const;
  void Visible(bool on);
  bool Enabled() const;
  void Enabled(bool on);
  QAction* action() const { return m_action; }

  Event<> Click{"Menu_Click"};

 private:
  QAction* m_action;
  bool m_checked = false;
};

// A popup menu with items and submenus, owned by a window.
class Menu {
 public:
  explicit Menu(QWidget* owner);
  ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  // The menu's caption: a submenu's item shows it; a screen reader names the menu by it.
  void Caption(const QString& caption);
  MenuItem& addItem(const QString& caption);
  // An item that opens a submenu; returns the submenu.
  Menu& addSubmenu(const QString& caption, MenuItem** item = nullptr);
  // Shows the menu at a point of the screen (global pixels) and returns at once.
  void PopupAt(const QPoint& globalPos);
  QMenu* qmenu() const { return m_menu.get(); }

 private:
  std::unique_ptr<QMenu> m_menu;
  std::vector<std::unique_ptr<MenuItem>> m_items;
  std::vector<std::unique_ptr<Menu>> m_submenus;
};

}  // namespace host
