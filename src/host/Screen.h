#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "ColorRef.h"

namespace host {

// The forms runtime's screen object, for the primary screen: twips per pixel from the logical
// DPI (15 at 96 DPI) and the size in twips.
namespace Screen {
double TwipsPerPixelX();
double TwipsPerPixelY();
int Width();   // twips
int Height();  // twips
}  // namespace Screen

// Everything the program reads from the real screen and pointer. The real source reads the
// display; tests hand the engines a fake (an image plus a cursor position).
class ScreenSource {
 public:
  virtual ~ScreenSource() = default;
  // The pointer's position in virtual-desktop pixels (negative left of or above the primary
  // screen).
  virtual QPoint cursorPos() const = 0;
  // The color of one screen pixel, or kInvalidColor where no screen covers the point.
  virtual ColorRef pixel(QPoint p) const = 0;
  // A rectangle of the screen in virtual-desktop pixels; parts that no screen covers are black.
  virtual QImage grab(const QRect& r) const = 0;
  // The geometry (virtual-desktop pixels) of the monitor that holds `p`, if any does.
  virtual std::optional<QRect> screenGeometryAt(QPoint p) const = 0;
  // Asks for `wake` to be called once, soon after the pointer moves or anything is drawn on the
  // screen, so that a caller whose ticks change nothing may stop polling until then. The call
  // comes from the event loop or a later read, never from inside this request; a new request
  // replaces the last, and an empty one withdraws it. False where the source cannot tell, or
  // something already happened: the caller keeps polling.
  virtual bool wakeOnActivity(std::function<void()> wake) {
    (void)wake;
    return false;
  }
};

// The display the application runs on, through QScreen::grabWindow and QCursor.
class QtScreenSource final : public ScreenSource {
 public:
  QPoint cursorPos() const override;
  ColorRef pixel(QPoint p) const override;
  QImage grab(const QRect& r) const override;
  std::optional<QRect> screenGeometryAt(QPoint p) const override;
};

}  // namespace host
