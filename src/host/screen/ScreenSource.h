#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "host/core/ColorRef.h"

namespace host {

// Everything the program reads from the real screen and pointer. The real source reads the
// display; tests hand the engines a fake (an image plus a cursor position).
//
// One coordinate space throughout: the display's physical pixels on the virtual desktop (on X11
// the root window's: never negative, the primary monitor anywhere in it), whatever scale factor
// the toolkit applies to its windows. A pixel read at the pointer's position is the pixel under
// its hot spot, and a grab has one image pixel per screen pixel.
//
// The reads are not const: a source may keep what it read (the pointer's position, the last
// grab, the monitors) and answer the next read from it.
class ScreenSource {
 public:
  virtual ~ScreenSource() = default;
  // The pointer's hot spot in virtual-desktop pixels.
  virtual QPoint cursorPos() = 0;
  // The color of one screen pixel, or kInvalidColor where no screen covers the point.
  virtual ColorRef pixel(QPoint p) = 0;
  // A rectangle of the screen in virtual-desktop pixels; parts that no screen covers are black.
  virtual QImage grab(const QRect& r) = 0;
  // The geometry (virtual-desktop pixels) of the monitor that holds `p`, if any does.
  virtual std::optional<QRect> screenGeometryAt(QPoint p) = 0;
  // The primary monitor (virtual-desktop pixels): positions are shown relative to its top-left
  // corner. A source that knows no better takes the monitor at the origin.
  virtual QRect primaryGeometry() { return screenGeometryAt(QPoint(0, 0)).value_or(QRect()); }
  // Moves the pointer by `delta` physical pixels, as if the mouse had moved. False where the
  // platform does not let a program move it by exactly that.
  virtual bool movePointerBy(QPoint delta) {
    (void)delta;
    return false;
  }
  // Asks for `wake` to be called once, soon after the pointer moves or anything is drawn on the
  // screen, so that a caller whose ticks change nothing may stop polling until then. The call
  // comes from the event loop or a later read, never from inside this request; a new request
  // replaces the last, and an empty one withdraws it. False where the source cannot tell, or
  // something already happened: the caller keeps polling.
  // (By value: a source that takes the request keeps it. The default keeps nothing.)
  // NOLINTNEXTLINE(performance-unnecessary-value-param)
  virtual bool wakeOnActivity(std::function<void()> /*wake*/) { return false; }
  // Whether the source can ever be kept from reading the screen (a desktop that must be asked
  // first): only then does the window make room for `notice`.
  virtual bool mayHaveNotice() const { return false; }
  // What keeps the screen from being read, in one line for the window; empty while it reads.
  virtual QString notice() const { return {}; }
  // Whether the source will never read (the desktop declined, or has no portal): one waiting
  // for its first pixel stops waiting.
  virtual bool gaveUp() const { return false; }
  // Calls `changed` on the GUI thread whenever the notice changes; a new call replaces the last.
  // NOLINTNEXTLINE(performance-unnecessary-value-param): as wakeOnActivity
  virtual void onNoticeChanged(std::function<void(const QString&)> /*changed*/) {}
};

}  // namespace host
