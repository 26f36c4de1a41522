#pragma once

#include <QEventLoop>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "host/core/ColorRef.h"

namespace host {
class ScreenSource;
}  // namespace host

// The command line's --pick where the program reads the screen itself (X11): a crosshair over the
// whole desktop and a small loupe beside the pointer, the screen around it at 5x with the middle
// pixel marked and its HTML text. The loupe's window holds the pointer and the keyboard (so the
// crosshair and every click and key are its own, wherever the pointer is) and follows the pointer
// without ever covering the pixels it shows. A left click or Enter picks the pixel under the
// pointer; the arrow keys move the pointer by one physical pixel, Shift by ten; Esc or a right
// click cancels. The pixel is read from the live screen, as the picker window reads it.
class PickLoupe final : public QWidget {
 public:
  enum class Outcome { Picked, Cancelled, NoGrab };

  explicit PickLoupe(host::ScreenSource& screen);

  // Shows the loupe, takes the pointer and keyboard (within a second, or NoGrab: another program
  // holds them) and runs the event loop until a pick or a cancel; gives both back on every way
  // out. `color` is set when picked.
  Outcome run(host::ColorRef& color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void follow();
  bool takeInput();
  void finish(Outcome outcome);

  host::ScreenSource& m_screen;
  QTimer m_tick;
  QEventLoop m_loop;
  QImage m_block;       // the physical pixels around the pointer, shown at 5x
  QPoint m_at{-1, -1};  // the pointer, physical pixels of the virtual desktop, as last shown
  Outcome m_outcome = Outcome::Cancelled;
  host::ColorRef m_picked = 0;
  int m_grabTries = 0;
  bool m_holding = false;
};
