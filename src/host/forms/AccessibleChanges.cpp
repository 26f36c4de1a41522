#include "host/forms/AccessibleChanges.h"

#include <QAccessibleEvent>
#include <QVariant>
#include <QWidget>

#include "host/forms/Shape.h"

namespace host::accessibility {

namespace {
constexpr const char* kDecorationProperty = "decoration";
}  // namespace

bool listening() {
  return QAccessible::isActive();
}

void markDecoration(QWidget& control) {
  control.setProperty(kDecorationProperty, true);
}

bool isDecoration(const QWidget& control) {
  return dynamic_cast<const Shape*>(&control) != nullptr ||
         control.property(kDecorationProperty).toBool();
}

void nameChanged(QWidget& control) {
  if (!listening()) return;
  QAccessibleEvent event(&control, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

void textChanged(QWidget& control, const QString& before, const QString& after) {
  if (!listening()) return;
  QAccessibleTextUpdateEvent event(&control, 0, before, after);
  QAccessible::updateAccessibility(&event);
}

void stateChanged(QWidget& control, const QAccessible::State& changed) {
  if (!listening()) return;
  QAccessibleStateChangeEvent event(&control, changed);
  QAccessible::updateAccessibility(&event);
}

void valueChanged(QWidget& control, int value) {
  if (!listening()) return;
  QAccessibleValueChangeEvent event(&control, value);
  QAccessible::updateAccessibility(&event);
}

}  // namespace host::accessibility
