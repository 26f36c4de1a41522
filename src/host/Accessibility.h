#pragma once

#include <QAccessible>

class QWidget;
class QString;

// What assistive technology (a screen reader, over the desktop's accessibility bus) reads of the
// runtime's windows and controls. The toolkit builds an interface for a widget when something
// asks for it; the runtime's kinds get their own (installed once by host::Application):
//
//   window      a frame, or a dialog while it is shown modally; named by its title
//   label       static text whose name and text are its caption; a swatch (Label::Swatch) is
//               an image named after its caption label, with its color as text ("#FF8000");
//               a label that handles clicks has a press action
//   frame       a panel named by its caption
//   picture box an image named after its caption label (the magnifier)
//   user control what the control says of itself (UserControl::accessibleView)
//
// Check boxes, text boxes and menus keep the toolkit's own interfaces. Shapes, and controls built
// as decoration (ControlStyle::decoration), are left out of their container's children.
//
// The notifications below tell a listening screen reader about a change; they return at once,
// building nothing, while none listens.
namespace host::accessibility {

// Installs the runtime's interfaces; the later calls do nothing.
void install();

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
