#pragma once

#include <QPoint>

#include "host/forms/Form.h"

namespace host {
class Label;
}

// The color-match window: a borderless, topmost window of the mixed color, lifted off the
// mixer's swatch by a press on it (30 twips in from each edge), following the pointer while the
// button is held so the color can be laid beside any other on the screen, and gone on release.
// While it is carried it holds the keyboard, as a window being moved does: Esc puts it back where
// the carry began (the release still ends it) and no key reaches the picker underneath.
// A fresh one per press; nothing is kept between presses.
class frmColor : public host::Form {
 public:
  // `swatch` gives the color and the place; `frame` is the frame that holds it.
  frmColor(const host::Label& swatch, const QWidget& frame);

  // A press on the swatch: creates the window, shows it and starts the drag. It unloads on the
  // release and deletes itself once its own handler has returned.
  static frmColor* lift(const host::Label& swatch, const QWidget& frame);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void Form_Load();
  // Takes the pointer from the swatch (the toolkit's grab of the press) and follows it.
  void Form_Activate();
  void followPointer();
  void drop();

  const host::Label& m_swatch;
  const QWidget& m_frame;
  QPoint m_grab;   // the pointer's place in the window when the drag began (pixels)
  QPoint m_start;  // the window's place on the screen when the drag began (pixels)
  bool m_dragging = false;
  bool m_cancelled = false;  // Esc: back at the start, no longer following
};
