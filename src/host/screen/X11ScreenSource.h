#pragma once

#include <QImage>
#include <chrono>
#include <cstdint>
#include <memory>

#include "host/screen/ScreenSource.h"

namespace host {

// The screen and pointer of an X display, read over a connection of the source's own with as
// few requests as the ticks allow: a pointer query, reused for 2 ms so that the two timers' paths
// share one when they run back to back, and one image request per grab into a reused
// shared-memory segment (MIT-SHM), or a plain GetImage where shared memory is not available (a
// remote display). While grabs follow a moving pointer, the pointer query reads the area around
// the last grab in the same round trip, and the grab that follows is cut from it. The display
// reports when anything is drawn on the screen (DAMAGE): while nothing is, a grab or pixel of the
// same place as last time is answered without asking it. Images come back in the display's 32-bit
// BGRX layout, which is QImage's RGB32. For the GUI thread only.
//
// Coordinates are the root window's: physical pixels of the whole virtual desktop, whatever
// scale factor the toolkit applies to its windows. The monitors are the display's own (RandR 1.5
// monitors, reread when the display reports a change; without them, the root window is the one
// monitor), never the toolkit's screens, whose sizes are in device-independent pixels.
class X11ScreenSource final : public ScreenSource {
 public:
  // The source for the display the application runs on, or nullptr where that is not X11 or its
  // root window is not a 24-bit true-color one (the toolkit's own source serves then).
  static std::unique_ptr<X11ScreenSource> create();
  // The source for the X display named (null: $DISPLAY), with no application object: the
  // toolkit's own connection, and the hidden windows it makes, are not needed to read pixels.
  // Null where it cannot be opened or is not of the kind create() wants.
  static std::unique_ptr<X11ScreenSource> open(const char* displayName);
  ~X11ScreenSource() override;
  X11ScreenSource(const X11ScreenSource&) = delete;
  X11ScreenSource& operator=(const X11ScreenSource&) = delete;

  QPoint cursorPos() override;
  // One pointer query, whatever the last one was (what cursorPos reuses for 2 ms).
  QPoint queryPointer();
  ColorRef pixel(QPoint p) override;
  QImage grab(const QRect& r) override;
  std::optional<QRect> screenGeometryAt(QPoint p) override;
  QRect primaryGeometry() override;
  // A relative pointer warp: one request, no round trip; the next query sees it.
  bool movePointerBy(QPoint delta) override;
  // Raw pointer motion, a warp seen by the next pointer query, or a drawing report.
  bool wakeOnActivity(std::function<void()> wake) override;

  bool sharedMemory() const;
  // How many grabs were answered from an area read along with the pointer query.
  std::uint64_t grabsReadAhead() const;

 private:
  struct Impl;
  QImage readAt(const QRect& r);
  explicit X11ScreenSource(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> m;
};

}  // namespace host
