#pragma once

#include <QAccessible>

class QWidget;
class QString;

// What the runtime's controls tell assistive technology (a screen reader, over the desktop's
// accessibility bus) when they change. Each call returns at once, building nothing, while none
// listens.
namespace host::accessibility {

// True while an assistive technology listens.
bool listening();

// A control drawn for looks alone (a band, an outline, a bar graph that repeats a readout).
void markDecoration(QWidget& control);
bool isDecoration(const QWidget& control);

// The control's name changed (when it has no name given by its window).
void nameChanged(QWidget& control);
// The control's text changed from `before` to `after` (its caption, or a swatch's color text).
void textChanged(QWidget& control, const QString& before, const QString& after);
// Some of the control's states changed; `changed` marks which.
void stateChanged(QWidget& control, const QAccessible::State& changed);
// The value of a control that holds a number (a slider).
void valueChanged(QWidget& control, int value);

}  // namespace host::accessibility
