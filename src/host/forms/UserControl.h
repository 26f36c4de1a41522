#pragma once

#include <QAccessible>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "host/core/ColorRef.h"
#include "host/draw/Canvas.h"
#include "host/draw/Region.h"
#include "host/forms/MouseEvents.h"
#include "host/forms/PropertyBag.h"

namespace host {

// The base of an owner-drawn control hosted like the runtime's user controls: a persistent
// drawing surface over the whole control (pixels), ambient UserMode, the extender's Name (the
// object name), PropertyChanged notifications (recorded, for the host and for tests), the
// pointer shape, a window shape, and the property-bag lifecycle: the host calls
// ReadProperties with the control's stored bag, or InitProperties for a new instance.
class UserControl : public QWidget {
 public:
  explicit UserControl(QWidget* parent);

  // The input the runtime delivers to the control itself (its UserControl_* handlers), as
  // opposed to the events the control raises to its window: mouse events (every one; none
  // reaches the window beneath), keys with their virtual key codes (a key held down repeats
  // KeyDown, and KeyUp comes once), and the focus entering and leaving.
  struct ControlInput : MouseEvents {
    Event<int&, int> KeyDown{"UserControl_KeyDown"};
    Event<int&, int> KeyUp{"UserControl_KeyUp"};
    Event<> EnterFocus{"UserControl_EnterFocus"};
    Event<> ExitFocus{"UserControl_ExitFocus"};
  };
  ControlInput Input;

  // False while a designer hosts the control; true when the program runs.
  bool UserMode() const { return m_userMode; }
  void setUserMode(bool running) { m_userMode = running; }
  QString Name() const { return objectName(); }
  QFont AmbientFont() const;

  // Marks a property as changed, by the name the control gives it.
  void PropertyChanged(const QString& name) { m_changes.push_back(name); }
  const std::vector<QString>& propertyChanges() const { return m_changes; }
  void clearPropertyChanges() { m_changes.clear(); }

  // Loads the instance: ReadProperties from `bag`, or InitProperties without one.
  void load(const PropertyBag* bag);
  virtual void InitProperties() {}
  virtual void ReadProperties(const PropertyBag& bag) { (void)bag; }
  virtual void WriteProperties(PropertyBag& bag) const { (void)bag; }

  // The pointer over the control: kArrowPointer, or kCustomPointer (its `icon` where one is
  // given, else the platform's hand); other values show the arrow.
  static constexpr int kArrowPointer = 1;
  static constexpr int kCustomPointer = 99;
  int MousePointer() const { return m_mousePointer; }
  void MousePointer(int value, const QImage& icon = QImage());
  // The drawing color of the control's own surface.
  ColorRef drawColor() const { return m_drawColor; }
  void drawColor(ColorRef color) { m_drawColor = color; }

  double ScaleWidth() const { return width(); }  // pixels
  double ScaleHeight() const { return height(); }
  Canvas canvas();
  const QImage& buffer() const;
  // The control's window shape; nullopt removes it.
  void SetWindowRgn(const std::optional<Region>& region);
  // Shows what was drawn (the runtime's Refresh).
  void Refresh() { update(); }

  // What a screen reader reads of the control, asked only while one listens: an unnamed pane
  // unless the control says what it is. A name the window gives (Label::captions) wins over
  // `name`.
  struct AccessibleView {
    struct Range {
      int minimum = 0;
      int maximum = 0;
      int current = 0;
    };
    QAccessible::Role role = QAccessible::Client;
    QString name;
    bool pressed = false;
    bool checkable = false;
    bool checked = false;
    bool disabled = false;       // the control's own Enabled, where it keeps one
    std::optional<Range> value;  // a control that holds a number between bounds
  };
  virtual AccessibleView accessibleView() const { return {}; }
  // What a screen reader asks of the control: a push button's press, a new value.
  virtual void accessiblePress() {}
  virtual void accessibleSetValue(int value) { (void)value; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void growBuffer() const;

  mutable QImage m_buffer;
  std::vector<QString> m_changes;
  ColorRef m_drawColor = 0;
  int m_mousePointer = 1;
  bool m_userMode = true;
};

QFont toQFont(const FontValue& f);
FontValue fromQFont(const QFont& f);

}  // namespace host
