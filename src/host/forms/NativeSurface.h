#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QWidget;
class QWindow;
struct xcb_connection_t;

namespace host {

// A widget's own native window on X11, drawn straight from the program: the widget's owner paints
// the widget's whole area, exactly as its paint event would, into an image kept for reuse, and it
// goes to the window in image requests on the toolkit's own display connection, so it is ordered
// with the toolkit's drawing and costs no trip through the toolkit's repaint bookkeeping or its
// window-wide upload. Child widgets are painted over it as the toolkit paints them: once, into an
// overlay kept until one of them is repainted, moved, resized, shown or hidden, or one comes or
// goes (a child painted with partly transparent pixels is painted over every frame instead).
//
// The toolkit's window surface still holds what it last painted there; an exposure of the window
// (which the toolkit answers from that surface) is turned into a repaint of the widget first, so
// what comes back is the current drawing.
//
// Only where the pixels come out the same as the toolkit's: the X11 platform, a window whose depth
// is 24 or 32 with 32-bit pixels, least significant byte first, and a whole-number device pixel
// ratio (at a fractional one the toolkit places the widget at fractional device positions, which a
// separate image would round differently). Elsewhere create() gives nothing and callers repaint
// the usual way.
class NativeSurface : public QObject {
 public:
  // Gives the widget a native window of its own; null (and the widget unchanged) off X11.
  static std::unique_ptr<NativeSurface> create(QWidget& widget);
  ~NativeSurface() override;
  NativeSurface(const NativeSurface&) = delete;
  NativeSurface& operator=(const NativeSurface&) = delete;

  // The image to paint the widget's area into, in device pixels (its device pixel ratio is the
  // window's, a whole number), or null when the window cannot be drawn now (hidden, not exposed,
  // a fractional scale, an unusable depth): the caller then repaints through the toolkit.
  QImage* frame();
  // Paints the widget's visible children over the frame and sends it to the window.
  void put();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  NativeSurface(QWidget& widget, xcb_connection_t* connection);
  // The window's depth, asked once per native window (the toolkit may make a new one).
  bool knowWindow(std::uint32_t window);
  void watchChild(QObject* child);
  // Paints the visible children over `target`, as the toolkit paints them.
  void paintChildren(QImage& target);
  // Paints the children into the overlay and keeps their opaque pixels.
  void makeOverlay();

  QWidget& m_widget;  // the owner of this surface
  // The toolkit's display connection, looked up once: it lasts as long as the application.
  xcb_connection_t* m_c;
  QPointer<QWindow> m_watched;  // the native window whose exposures are watched
  QImage m_frame;               // reused: no allocation per put at a steady size
  QImage m_overlay;             // the children alone, over transparency
  // The overlay's pixels, by their offset in the frame; valid when every pixel the children
  // paint is opaque.
  std::vector<std::pair<std::size_t, std::uint32_t>> m_overlayPixels;
  bool m_overlayValid = false;
  bool m_overlayOpaque = false;
  bool m_painting = false;  // the children's paint events come from this surface
  std::uint32_t m_window = 0;
  std::uint32_t m_gc = 0;
  std::uint8_t m_depth = 0;  // 0: not usable
  std::uint8_t m_gcDepth = 0;
  std::uint32_t m_maxRequestBytes = 0;
};

}  // namespace host
