#include "host/screen/X11ReadAhead.h"

#include <cstring>

namespace host {

namespace {
// A pointer query this young is reused: the zoom and sampling paths of one event-loop turn.
constexpr auto kPointerReuse = std::chrono::milliseconds(2);
// While a grab follows a moving pointer, the pointer query also reads the last grab's area
// widened by this many pixels a side, in the same round trip: the next grab, centred on the new
// position, falls inside it unless the pointer moved farther since the last tick (24 pixels in
// 10 ms is 2,400 pixels a second).
constexpr int kReadAhead = 24;
// Reading ahead is worth it only while grabs come tick after tick and the pointer moves: a
// pointer is moved in steps (20 ms apart is common), so one still tick does not stop it.
constexpr auto kGrabsFollow = std::chrono::milliseconds(50);
constexpr auto kStillAfter = std::chrono::milliseconds(100);
}  // namespace

std::optional<QPoint> X11ReadAhead::recentPointer(Time now) const {
  if (m_pointerKnown && now - m_pointerAt < kPointerReuse) return m_pointer;
  return std::nullopt;
}

QRect X11ReadAhead::areaToReadAhead(Time now, const QRect& root) const {
  if (m_grabbed.isEmpty() || now - m_grabbedAt >= kGrabsFollow) return {};
  if (now - m_pointerMovedAt >= kStillAfter && !m_grabStale) return {};
  return m_grabbed.adjusted(-kReadAhead, -kReadAhead, kReadAhead, kReadAhead).intersected(root);
}

bool X11ReadAhead::pointerQueried(Time now, std::optional<QPoint> at, const QRect& ahead) {
  m_readAhead = ahead;
  m_drawnAtReadAhead = m_drawings;
  const QPoint before = m_pointer;
  if (at) m_pointer = *at;
  m_pointerAt = now;
  const bool moved = m_pointerKnown && m_pointer != before;
  if (moved) m_pointerMovedAt = now;
  m_pointerKnown = true;
  return moved;
}

void X11ReadAhead::drawn() {
  ++m_drawings;
  m_grabStale = true;
  m_pixelStale = true;
}

const QImage* X11ReadAhead::keptGrab(const QRect& r, Time now) {
  if (m_grabStale || m_grabbed != r) return nullptr;
  m_grabbedAt = now;
  return &m_grab;
}

std::optional<QRect> X11ReadAhead::readAheadHolding(const QRect& r, Time now) const {
  if (m_readAhead.contains(r) && now - m_pointerAt < kPointerReuse) return m_readAhead;
  return std::nullopt;
}

const QImage& X11ReadAhead::keepGrab(const QRect& r, Time now, const QImage& image, bool cut) {
  m_grabbed = r;
  m_grabbedAt = now;
  if (cut) ++m_grabsCut;
  // A drawing reported since the area was asked for may have been emptied after it was read,
  // with no report of its own to come.
  const bool lasts = !cut || m_drawings == m_drawnAtReadAhead;
  m_grabStale = image.isNull() || !m_drawingsReported || !lasts;
  if (image.isNull()) {
    m_grab = QImage();
    return m_grab;
  }
  // Storage of its own (the shared segment serves the next read), reused while the size stays:
  // a moving pointer allocates nothing.
  if (m_grab.size() != image.size() || m_grab.isNull())
    m_grab = QImage(image.size(), QImage::Format_RGB32);
  const auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(m_grab.scanLine(y), image.constScanLine(y), rowBytes);
  return m_grab;
}

std::optional<ColorRef> X11ReadAhead::keptPixel(QPoint p) const {
  if (!m_pixelStale && m_pixelAt == p) return m_pixel;
  // Inside the kept grab (the magnifier's block is centred on the pointer).
  if (!m_grabStale && m_grabbed.contains(p) && !m_grab.isNull())
    return fromRgb24(m_grab.pixel(p - m_grabbed.topLeft()) & 0xFFFFFFu);
  return std::nullopt;
}

ColorRef X11ReadAhead::keepPixel(QPoint p, std::optional<ColorRef> color) {
  m_pixelAt = p;
  m_pixelStale = !color || !m_drawingsReported;
  m_pixel = color.value_or(kInvalidColor);
  return m_pixel;
}

}  // namespace host
