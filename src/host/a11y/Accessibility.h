#pragma once

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
// as decoration (ControlStyle::decoration), are left out of their container's children. The
// controls announce their own changes (AccessibleChanges.h).
namespace host::accessibility {

// Installs the runtime's interfaces; the later calls do nothing.
void install();

}  // namespace host::accessibility
