#include "host/a11y/Accessibility.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>
#include <vector>

#include "host/forms/AccessibleChanges.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/UserControl.h"

namespace host::accessibility {

namespace {

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// The children a screen reader walks: child widgets that are neither windows of their own (the
// popup menu, the about window) nor decoration.
std::vector<QWidget*> readableChildren(const QWidget& parent) {
  std::vector<QWidget*> children;
  for (QObject* o : parent.children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w != nullptr && !w->isWindow() && !isDecoration(*w)) children.push_back(w);
  }
  return children;
}

// The labels anywhere in `control`'s window that caption it.
std::vector<Label*> captionsOf(const QWidget& control) {
  std::vector<Label*> captions;
  // The runtime's classes carry no meta-object of their own, so findChildren<Label*> cannot
  // tell a label from any other widget.
  for (QWidget* w : control.window()->findChildren<QWidget*>()) {
    auto* label = dynamic_cast<Label*>(w);
    if (label == nullptr) continue;
    for (const QWidget* c : label->captionedControls()) {
      if (c == &control) captions.push_back(label);
    }
  }
  return captions;
}

// A widget whose children are the runtime's controls: it hides decoration from the tree, and
// relates itself to the labels that caption it.
class ContainerAccessible : public QAccessibleWidget {
 public:
  ContainerAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

  int childCount() const override { return static_cast<int>(readableChildren(*widget()).size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QWidget*> children = readableChildren(*widget());
    if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
    return QAccessible::queryAccessibleInterface(children[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    const std::vector<QWidget*> children = readableChildren(*widget());
    for (std::size_t i = 0; i < children.size(); ++i) {
      if (children[i] == child->object()) return static_cast<int>(i);
    }
    return -1;
  }
  Relations relations(QAccessible::Relation match) const override {
    Relations all = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label) {
      for (Label* caption : captionsOf(*widget())) {
        all.append({QAccessible::queryAccessibleInterface(caption), QAccessible::Label});
      }
    }
    return all;
  }
};

// A window: a frame, or a dialog while it blocks its owner.
class FormAccessible : public ContainerAccessible {
 public:
  explicit FormAccessible(Form* form) : ContainerAccessible(form, QAccessible::Window) {}
  QAccessible::Role role() const override {
    return widget()->isModal() ? QAccessible::Dialog : QAccessible::Window;
  }
};

class FrameAccessible : public ContainerAccessible {
 public:
  explicit FrameAccessible(Frame* frame) : ContainerAccessible(frame, QAccessible::Grouping) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const Frame*>(widget())->Caption();
    }
    return QAccessibleWidget::text(t);
  }
};

// A label: static text (its caption), or a swatch: an image whose text is its color. A label
// that handles clicks (the about and close labels) can be pressed.
class LabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QAccessible::Role role() const override {
    return label().isSwatch() ? QAccessible::Graphic : QAccessible::StaticText;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return label().isSwatch() ? QString() : label().Caption();
    }
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
  }
  Relations relations(QAccessible::Relation match) const override {
    Relations all = QAccessibleWidget::relations(match);
    if (match & QAccessible::Labelled) {
      for (QWidget* control : label().captionedControls()) {
        all.append({QAccessible::queryAccessibleInterface(control), QAccessible::Labelled});
      }
    }
    if (match & QAccessible::Label) {
      for (Label* caption : captionsOf(label())) {
        all.append({QAccessible::queryAccessibleInterface(caption), QAccessible::Label});
      }
    }
    return all;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (label().Click.hasListeners()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && label().Click.hasListeners() && label().isEnabled()) {
      label().Click.raise();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }

  // The text: nothing is selectable and there is no caret.
  void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
  void removeSelection(int /*selectionIndex*/) override {}
  void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int /*position*/) override {}
  QString text(int startOffset, int endOffset) const override {
    const QString all = shownText();
    if (startOffset < 0 || endOffset < startOffset || startOffset > all.size()) return {};
    return all.mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(shownText().size()); }
  QRect characterRect(int /*offset*/) const override { return {}; }
  int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
  void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = offset;
    *endOffset = offset;
    return {};
  }

 private:
  Label& label() const { return *static_cast<Label*>(widget()); }
  QString shownText() const {
    return label().isSwatch() ? label().swatchText() : label().Caption();
  }
};

// A picture box: an image, named after its caption label (the magnifier's "Zoom (5x)").
class PictureAccessible : public ContainerAccessible {
 public:
  explicit PictureAccessible(PictureBox* box) : ContainerAccessible(box, QAccessible::Graphic) {}
};

// An owner-drawn control, as it describes itself: a push button with a press action, a slider
// with a value between bounds, and so on. It has no children of its own for a screen reader
// (the slider's cue box is part of the slider).
class UserControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit UserControlAccessible(UserControl* control) : QAccessibleWidget(control) {}

  QAccessible::Role role() const override { return view().role; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return view().name;
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const UserControl::AccessibleView v = view();
    s.pressed = v.pressed;
    s.checkable = v.checkable;
    s.checked = v.checked;
    if (v.disabled) s.disabled = true;
    return s;
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  Relations relations(QAccessible::Relation match) const override {
    Relations all = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label) {
      for (Label* caption : captionsOf(*widget())) {
        all.append({QAccessible::queryAccessibleInterface(caption), QAccessible::Label});
      }
    }
    return all;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface && view().value) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (view().role == QAccessible::PushButton) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && view().role == QAccessible::PushButton) {
      control().accessiblePress();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }

  QVariant currentValue() const override { return range().current; }
  void setCurrentValue(const QVariant& value) override {
    bool ok = false;
    const int v = value.toInt(&ok);
    if (ok) control().accessibleSetValue(v);
  }
  QVariant maximumValue() const override { return range().maximum; }
  QVariant minimumValue() const override { return range().minimum; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  UserControl& control() const { return *static_cast<UserControl*>(widget()); }
  UserControl::AccessibleView view() const { return control().accessibleView(); }
  UserControl::AccessibleView::Range range() const {
    return view().value.value_or(UserControl::AccessibleView::Range{});
  }
};

// The runtime's classes declare no meta-object of their own, so the toolkit asks for them under
// their nearest toolkit class's name ("QWidget"); the object tells what they are.
QAccessibleInterface* factory(const QString& /*className*/, QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  if (w == nullptr) return nullptr;
  if (auto* label = dynamic_cast<Label*>(w)) return new LabelAccessible(label);
  if (auto* control = dynamic_cast<UserControl*>(w)) return new UserControlAccessible(control);
  if (auto* box = dynamic_cast<PictureBox*>(w)) return new PictureAccessible(box);
  if (auto* frame = dynamic_cast<Frame*>(w)) return new FrameAccessible(frame);
  if (auto* form = dynamic_cast<Form*>(w)) return new FormAccessible(form);
  return nullptr;
}

}  // namespace

void install() {
  // The toolkit asks the factories installed last first, so these come before its own.
  QAccessible::installFactory(factory);
}

}  // namespace host::accessibility
