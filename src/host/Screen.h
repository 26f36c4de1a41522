#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "ColorRef.h"

namespace host {

// The forms runtime's screen object, for the primary screen: twips per pixel from the logical
// DPI (15 at 96 DPI) and the size in twips. Its pixels are the toolkit's device-independent ones,
// the pixels of window and control geometry: with a scale factor of 2 the 317-pixel-wide window
// covers 634 pixels of the display.
namespace Screen {
double TwipsPerPixelX();
double TwipsPerPixelY();
int Width();   // twips
int Height();  // twips
// The primary screen's top-left corner on the virtual desktop, twips (not 0 where a monitor lies
// left of or above it).
int Left();
int Top();

// The toolkit places windows and reports its pointer in device-independent pixels; the display
// reads and moves in physical ones. Each screen keeps its top-left corner where the display has
// it and is scaled about that corner by its factor, so a point maps through the screen it lies
// on, rounded to the nearest pixel as the toolkit rounds. Off every screen, a point maps
// unchanged.
QPoint toPhysical(QPoint deviceIndependent);
QRect toPhysical(const QRect& deviceIndependent);
QPoint fromPhysical(QPoint physical);
}  // namespace Screen

// Everything the program reads from the real screen and pointer. The real source reads the
// display; tests hand the engines a fake (an image plus a cursor position).
//
// One coordinate space throughout: the display's physical pixels on the virtual desktop (on X11
// the root window's: never negative, the primary monitor anywhere in it), whatever scale factor
// the toolkit applies to its windows. A pixel read at the pointer's position is the pixel under
// its hot spot, and a grab has one image pixel per screen pixel.
class ScreenSource {
 public:
  virtual ~ScreenSource() = default;
  // The pointer's hot spot in virtual-desktop pixels.
  virtual QPoint cursorPos() const = 0;
  // The color of one screen pixel, or kInvalidColor where no screen covers the point.
  virtual ColorRef pixel(QPoint p) const = 0;
  // A rectangle of the screen in virtual-desktop pixels; parts that no screen covers are black.
  virtual QImage grab(const QRect& r) const = 0;
  // The geometry (virtual-desktop pixels) of the monitor that holds `p`, if any does.
  virtual std::optional<QRect> screenGeometryAt(QPoint p) const = 0;
  // The primary monitor (virtual-desktop pixels): positions are shown relative to its top-left
  // corner. A source that knows no better takes the monitor at the origin.
  virtual QRect primaryGeometry() const { return screenGeometryAt(QPoint(0, 0)).value_or(QRect()); }
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
  virtual bool wakeOnActivity(std::function<void()> wake) {
    (void)wake;
    return false;
  }
  // Whether the source can ever be kept from reading the screen (a desktop that must be asked
  // first): only then does the window make room for `notice`.
  virtual bool mayHaveNotice() const { return false; }
  // What keeps the screen from being read, in one line for the window; empty while it reads.
  virtual QString notice() const { return {}; }
  // Calls `changed` on the GUI thread whenever the notice changes; a new call replaces the last.
  virtual void onNoticeChanged(std::function<void(const QString&)> changed) { (void)changed; }
};

// The display the application runs on, through QScreen::grabWindow and QCursor: where the
// display's own source is not available. The toolkit reads in device-independent pixels; a read
// is mapped onto the physical pixels it covers, so pixels and grabs are exact at any factor. The
// pointer, though, is known only to the nearest device-independent pixel, and moved only in
// those: at a factor other than 1 its position is approximate and it cannot be nudged.
class QtScreenSource final : public ScreenSource {
 public:
  QPoint cursorPos() const override;
  ColorRef pixel(QPoint p) const override;
  QImage grab(const QRect& r) const override;
  std::optional<QRect> screenGeometryAt(QPoint p) const override;
  QRect primaryGeometry() const override;
  bool movePointerBy(QPoint delta) override;
};

}  // namespace host
