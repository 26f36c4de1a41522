#pragma once

#include <QWidget>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "host/core/ColorRef.h"
#include "host/core/Twips.h"
#include "host/forms/Label.h"

namespace host {

class FormData;
class UserControl;

enum class ControlKind { Label, TextBox, CheckBox, PictureBox, Shape, Frame, User };

struct FontSpec {
  std::string_view face;  // the design's face name ("Tahoma"), mapped by designFont
  double points = 8.25;
  bool bold = false;
};

// Design-time properties shared by several entries of a layout table. What is left out keeps the
// control's own default; a property a kind does not have is ignored for it.
struct ControlStyle {
  std::optional<FontSpec> font = std::nullopt;
  std::optional<ColorRef> back = std::nullopt;  // BackColor
  std::optional<ColorRef> fore = std::nullopt;  // ForeColor; a shape's border color
  std::optional<ColorRef> fill = std::nullopt;  // a shape filled with this color
  std::optional<Label::AlignmentKind> align = std::nullopt;
  // Labels: a single-line border; picture boxes: none when false.
  std::optional<bool> border = std::nullopt;
  bool transparent = false;  // labels: the background shows through
  bool locked = false;       // text boxes: read-only
  bool ticked = false;       // check boxes: Value 1
  int borderWidth = 1;       // shapes, pixels
  bool swatch = false;       // labels: a color swatch (Label::setSwatch)
  bool decoration = false;   // drawn for looks alone: a screen reader skips it
};

// Creates a user control of one type inside `parent`, for ControlKind::User entries.
using UserControlFactory = UserControl* (*)(QWidget* parent);
template <class T>
UserControl* makeUserControl(QWidget* parent) {
  return new T(parent);
}

// One control of a window's stored design.
struct ControlSpec {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  const ControlStyle* style = nullptr;  // nullptr: the kind's defaults
  TwipsRect rect = {};                  // in the container's coordinates
  std::string_view text = {};           // caption or text (UTF-8)
  std::string_view tooltip = {};
  std::string_view container = {};      // the frame or picture box it sits in; empty: the window
  int index = -1;                       // its element in a control array; -1: a single control
  UserControlFactory create = nullptr;  // ControlKind::User
  std::string_view section = {};        // its stored-data section; empty: the name
};

// Creates the controls of `table` inside `window`: each container's children after the container
// itself, and within a container shapes first, then labels, then the windowed controls, so the
// lighter controls lie beneath as the runtime draws them (otherwise in table order, which is also
// the tab order). User controls load their properties from their section of `stored`, or
// initialize them when it has none. Every control gets its name (and index) for lookup.
void buildControls(QWidget& window, std::span<const ControlSpec> table, const FormData& stored);
// Several tables of one window built as one (the picker's and its mixer panel's).
void buildControls(QWidget& window, std::initializer_list<std::span<const ControlSpec>> tables,
                   const FormData& stored);

// A caption label and the control it captions, for a screen reader (Label::captions): the
// control's element in a control array, and the caption's.
struct CaptionLink {
  std::string_view caption;
  std::string_view control;
  Label::CaptionUse use = Label::CaptionUse::Relates;
  int index = -1;
  int captionIndex = -1;
};
// Ties each caption to its control in `window`; a missing control is a programming error and
// stops the program with its name.
void linkCaptions(QWidget& window, std::span<const CaptionLink> links);

// The control named `name` (element `index` of a control array, -1 for a single control) anywhere
// inside `root`, frames and picture boxes included; nullptr when there is none of that type.
QWidget* findControl(const QWidget& root, std::string_view name, int index = -1);
template <class T>
T* findControl(const QWidget& root, std::string_view name, int index = -1) {
  return dynamic_cast<T*>(findControl(root, name, index));
}
// The index a control array element was built with; -1 for a single control.
int controlIndex(const QWidget& control);

}  // namespace host
