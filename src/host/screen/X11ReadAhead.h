#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <chrono>
#include <cstdint>
#include <optional>

#include "host/core/ColorRef.h"

namespace host {

// What the X11 source remembers between its reads, and so which requests it may leave out:
//  - the pointer's last position, reused for 2 ms so that the zoom and sampling paths of one
//    event-loop turn share one query;
//  - the area read along with a pointer query while grabs follow a moving pointer (the last
//    grab's, widened by 24 pixels a side), from which the grab of the same turn is cut;
//  - the last grab and pixel, kept while the display reports nothing drawn.
// It asks the display for nothing: the source makes the requests and passes in when it made them
// and what came back, so every decision is testable without a display. Points and rectangles are
// root-window pixels; times are the steady clock's.
class X11ReadAhead {
 public:
  using Time = std::chrono::steady_clock::time_point;

  // `drawingsReported`: whether the display reports every drawing (DAMAGE). Without the reports
  // no read is kept beyond its own turn.
  explicit X11ReadAhead(bool drawingsReported = false) : m_drawingsReported(drawingsReported) {}

  // The pointer's position, where a query answered less than 2 ms before `now`.
  std::optional<QPoint> recentPointer(Time now) const;
  // What to read along with a pointer query at `now`, within `root`: the area around the last
  // grab while grabs come tick after tick and the pointer moves (or what was grabbed was drawn
  // on); empty when a read ahead is not worth it.
  QRect areaToReadAhead(Time now, const QRect& root) const;
  // A pointer query at `now` found the pointer at `at` (none: the query failed and the last
  // position stands) and read `ahead` into the shared segment with it (empty: nothing came).
  // True when the pointer is somewhere else than at the last query.
  bool pointerQueried(Time now, std::optional<QPoint> at, const QRect& ahead);
  QPoint pointer() const { return m_pointer; }
  // The pointer was moved without a query: the next position is asked for, and no grab is cut
  // from what the last query read.
  void pointerWarped() { m_pointerAt = Time{}; }

  // The display reported a drawing: no kept read is good any more.
  void drawn();
  // Another read went into the shared segment, over the area read ahead.
  void segmentOverwritten() { m_readAhead = QRect(); }

  // The grab of `r` kept while nothing was drawn, or null. Its reuse at `now` counts as a grab
  // that follows the pointer.
  const QImage* keptGrab(const QRect& r, Time now);
  // The area read ahead, where a grab of `r` at `now` can be cut from it: it holds `r` and came
  // with this turn's pointer query.
  std::optional<QRect> readAheadHolding(const QRect& r, Time now) const;
  // Keeps a copy of `image`, the grab of `r` made at `now` (null: nothing could be read), in
  // storage reused while the size stays, and returns it. `cut`: it was cut from the area read
  // ahead, which a drawing reported since its query may have left good for this turn only.
  const QImage& keepGrab(const QRect& r, Time now, const QImage& image, bool cut);
  // How many grabs were cut from an area read ahead.
  std::uint64_t grabsCut() const { return m_grabsCut; }

  // The pixel at `p` where it is kept, or inside the kept grab.
  std::optional<ColorRef> keptPixel(QPoint p) const;
  // Keeps the pixel read at `p` (none: nothing could be read) and returns it (kInvalidColor for
  // none).
  ColorRef keepPixel(QPoint p, std::optional<ColorRef> color);

 private:
  bool m_drawingsReported;
  std::uint64_t m_drawings = 0;  // drawing reports taken so far

  QPoint m_pointer;
  bool m_pointerKnown = false;
  Time m_pointerAt{};       // when it was last asked for
  Time m_pointerMovedAt{};  // when a query last found it elsewhere

  QRect m_readAhead;                     // empty: nothing to cut from
  std::uint64_t m_drawnAtReadAhead = 0;  // m_drawings when it was read
  std::uint64_t m_grabsCut = 0;

  QRect m_grabbed;
  Time m_grabbedAt{};
  QImage m_grab;
  bool m_grabStale = true;
  QPoint m_pixelAt{-1, -1};
  ColorRef m_pixel = kInvalidColor;
  bool m_pixelStale = true;
};

}  // namespace host
