#pragma once

#include <QBrush>
#include <QImage>
#include <QWidget>

#include <optional>
#include <span>
#include <vector>

#include "host/core/ColorRef.h"
#include "host/draw/Canvas.h"
#include "host/draw/Region.h"
#include "host/forms/ControlRef.h"
#include "host/forms/FormBuilder.h"
#include "host/forms/MouseEvents.h"

class QPainter;

namespace host {

// A top-level window of the forms runtime without a title bar or frame: geometry in twips, a
// background color and a persistent drawing surface over the whole inner area (AutoRedraw), on
// which window effects draw and over which the controls sit. Its events are members that a
// window connects its handlers to (Load.connect([this] { Form_Load(); })).
class Form : public QWidget, public ControlRefOwner {
 public:
  explicit Form(QWidget* parent = nullptr);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Outer geometry in twips (the window has no frame, so inner and outer agree).
  int Left() const;
  void Left(int twips);
  int Top() const;
  void Top(int twips);
  int Width() const;
  void Width(int twips);
  int Height() const;
  void Height(int twips);
  void Move(int left, int top);
  void Move(double left, double top, double width, double height);
  // Centres the window on the primary screen: its corner + screen size / 2 - window size / 2, in
  // twips.
  void CenterOnScreen();

  // Creates the window's controls from its layout table (see buildControls), then binds every
  // ControlRef and ControlArray the window declared; a handle without its control is a
  // programming error and stops the program with its name.
  void buildControls(std::initializer_list<std::span<const ControlSpec>> tables,
                     const FormData& stored);
  // A control by name (and index) anywhere in the window; nullptr when there is none.
  template <class T>
  T* control(std::string_view name, int index = -1) const {
    return findControl<T>(*this, name, index);
  }
  void addControlRef(ControlRefBase& ref) override { m_controlRefs.push_back(&ref); }

  // Loads the window once (raising Load), then shows it.
  void Show();

  // Asks the window to close (the runtime's Unload statement): a QueryUnload listener may cancel;
  // otherwise Unload is raised, the window hides, and a later Show loads it afresh. Unloading the
  // last loaded window ends the program (End).
  void unload();
  // Unload reasons: 0 the window's own close command (the window manager), 1 code.
  static constexpr int kUnloadFromControlMenu = 0;
  static constexpr int kUnloadFromCode = 1;

  // With KeyPreview, KeyDown and KeyPress see every key of the window before the control that
  // has the focus; without it only the keys that no control took.
  bool KeyPreview() const { return m_keyPreview; }
  void KeyPreview(bool on);

  // Moves the window with the mouse until the left button is released: the window manager's
  // move where there is one, else the window follows the pointer itself.
  void beginMove();

  // The window's events.
  Event<> Load{"Form_Load"};      // once, when first shown
  Event<> Resize{"Form_Resize"};  // size or state (minimized, restored) changed
  // `cancel` = true keeps the window; `mode` is one of the unload reasons.
  Event<bool&, int> QueryUnload{"Form_QueryUnload"};
  Event<> Unload{"Form_Unload"};
  // keyCode: the platform's virtual key (kKeyEscape, kKeySpace, kKeyF1 ...); shift as MouseArgs.
  // Setting keyCode / keyAscii to 0 keeps the key from the control that has the focus.
  Event<int&, int> KeyDown{"Form_KeyDown"};
  Event<int&> KeyPress{"Form_KeyPress"};
  // Mouse events on the window's own surface (not on its controls).
  Event<const MouseArgs&> MouseDown{"Form_MouseDown"};
  Event<const MouseArgs&> MouseMove{"Form_MouseMove"};
  Event<const MouseArgs&> MouseUp{"Form_MouseUp"};

  // Restricts the window to `region` (window pixels); a later call replaces the shape.
  void SetWindowRgn(const Region& region);
  const Region& windowRegion() const { return m_region; }
  double ScaleWidth() const;   // twips
  double ScaleHeight() const;  // twips

  ColorRef BackColor() const { return m_backColor; }
  // Changing the background color clears the persistent drawing, as the runtime does.
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color) { m_foreColor = color; }
  void Cls();
  // A gradient over the persistent drawing, as the canvas draws it. Over a cleared drawing it is
  // kept as the gradient alone and painted from one row or column of it: the surface (four bytes
  // a pixel of the window) is made only when something else draws on the window, if ever.
  void GradientFill(const TriVertex& a, const TriVertex& b, GradientMode mode);

  // The persistent drawing surface; call update() after drawing.
  Canvas canvas();
  const QImage& buffer() const;
  // Whether the drawing has a surface of its own yet (four bytes a pixel of the window).
  bool hasSurface() const { return !m_buffer.isNull(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Loads the window once: raises Load.
  void load();
  // KeyDown, then KeyPress for a key with a character; true when a listener swallowed the key.
  bool raiseKeyEvents(const QKeyEvent& key);
  // At least the window's size (it never shrinks); checked on every use, since a hidden window
  // gets no resize event. Made, with the kept gradient drawn on it, when there is none.
  void resizeBuffer() const;
  // The surface's size, or the size it would have if it were made now (the largest the window
  // has been, within kMaxSurface).
  QSize surfaceSize() const;
  // Paints the drawing's `area` (window pixels) while it is only the background color and the
  // kept gradient.
  void paintWithoutBuffer(QPainter& p, const QRect& area) const;

  // Null while the drawing is the background color, and the kept gradient if there is one.
  mutable QImage m_buffer;
  // A gradient drawn while there was no surface: what was asked, the surface's size then (which
  // clipped it), and its colors along its one direction (a row, or a column, of that surface).
  struct KeptGradient {
    TriVertex a, b;
    GradientMode mode;
    QSize surface;
    QRect area;  // where it lies on the window, within that surface
    // Its colors, surface width x 1 (horizontal) or 1 x surface height (vertical), tiled from
    // the window's corner.
    QBrush line;
  };
  mutable std::optional<KeptGradient> m_gradient;
  mutable QSize m_surfaceSize;
  std::vector<ControlRefBase*> m_controlRefs;
  Region m_region;
  QPoint m_moveGrab;
  QPoint m_lastPress;  // global position of the last button press in this window  // pointer
                       // position relative to the window while moving it by hand
  bool m_loaded = false;
  bool m_keyPreview = false;
  bool m_movingByHand = false;
  bool m_unloadFromCode = false;
  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
};

}  // namespace host
