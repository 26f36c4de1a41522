#include "host/forms/NativeSurface.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QChildEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "host/forms/Shape.h"

namespace host {

namespace {

xcb_connection_t* toolkitConnection() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

// Whether images of `depth` travel as 32-bit pixels, least significant byte first: the layout of
// the toolkit's 32-bit images on this machine.
bool thirtyTwoBitPixels(const xcb_setup_t* setup, std::uint8_t depth) {
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f)) {
    if (f.data->depth == depth) return f.data->bits_per_pixel == 32;
  }
  return false;
}

}  // namespace

std::unique_ptr<NativeSurface> NativeSurface::create(QWidget& widget) {
  xcb_connection_t* c = toolkitConnection();
  if (c == nullptr) return nullptr;
  // Without this the toolkit gives every sibling a native window too, and each then costs a
  // flush of its own whenever it repaints.
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  widget.setAttribute(Qt::WA_NativeWindow);
  return std::unique_ptr<NativeSurface>(new NativeSurface(widget, c));
}

NativeSurface::NativeSurface(QWidget& widget, xcb_connection_t* connection)
    : m_widget(widget), m_c(connection) {
  widget.installEventFilter(this);
  for (QObject* child : widget.children())
    watchChild(child);
}

void NativeSurface::watchChild(QObject* child) {
  if (child->isWidgetType()) child->installEventFilter(this);
}

NativeSurface::~NativeSurface() {
  if (QWindow* watched = m_watched.data()) watched->removeEventFilter(this);
  // The connection goes with the application object, which normally outlives the widgets.
  if (qGuiApp != nullptr && m_gc != 0) {
    xcb_free_gc(m_c, m_gc);
    xcb_flush(m_c);
  }
}

bool NativeSurface::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == m_watched.data()) {
    // The toolkit answers an exposure from its window surface, which holds the drawing it last
    // painted here, not the last one sent: have it paint the widget again first.
    if (type == QEvent::Expose) m_widget.update();
    return false;
  }
  if (watched == &m_widget) {
    if (type == QEvent::ChildAdded || type == QEvent::ChildRemoved) {
      m_overlayValid = false;
      if (type == QEvent::ChildAdded) watchChild(static_cast<QChildEvent*>(event)->child());
    }
    return false;
  }
  // A child repainted by the toolkit (it changed), or moved, resized, shown, hidden or restacked.
  switch (type) {
    case QEvent::Paint:
      if (m_painting) break;
      [[fallthrough]];
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ZOrderChange:
      m_overlayValid = false;
      break;
    default:
      break;
  }
  return false;
}

void NativeSurface::paintChildren(QImage& target) {
  m_painting = true;
  for (QObject* object : m_widget.children()) {
    auto* child = qobject_cast<QWidget*>(object);
    if (child == nullptr || !child->isVisible() || child->isWindow()) continue;
    // A shape is painted straight onto the image. The toolkit's render would first deliver every
    // pending resize in the whole window, laying out the popup menus (loading their font, about
    // 130 KB that stay) long before any is shown.
    if (const auto* shape = dynamic_cast<const Shape*>(child);
        shape != nullptr && shape->children().isEmpty()) {
      QPainter p(&target);
      p.translate(child->pos());
      shape->paintOnto(p);
      continue;
    }
    child->render(&target, child->pos(), QRegion(), QWidget::DrawChildren);
  }
  m_painting = false;
}

void NativeSurface::makeOverlay() {
  if (m_overlay.size() != m_frame.size()) {
    m_overlay = QImage(m_frame.size(), QImage::Format_ARGB32_Premultiplied);
  }
  m_overlay.setDevicePixelRatio(m_frame.devicePixelRatio());
  m_overlay.fill(Qt::transparent);
  paintChildren(m_overlay);
  m_overlayPixels.clear();
  m_overlayOpaque = true;
  const auto width = static_cast<std::size_t>(m_overlay.width());
  for (int y = 0; y < m_overlay.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(m_overlay.constScanLine(y));
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t alpha = row[x] >> 24;
      if (alpha == 0xFF) {
        m_overlayPixels.emplace_back(static_cast<std::size_t>(y) * width + x, row[x]);
      } else if (alpha != 0) {
        m_overlayOpaque = false;
      }
    }
  }
  m_overlayValid = true;
}

bool NativeSurface::knowWindow(std::uint32_t window) {
  if (window == m_window) return m_depth != 0;
  xcb_connection_t* c = m_c;
  m_window = window;
  m_depth = 0;
  // One round trip per native window, not per put.
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  if (geometry == nullptr) return false;
  const std::uint8_t depth = geometry->depth;
  std::free(geometry);
  if ((depth != 24 && depth != 32) || !thirtyTwoBitPixels(xcb_get_setup(c), depth)) return false;
  // A graphics context serves drawables of its own depth only: a new one for a new depth.
  if (m_gc != 0 && depth != m_gcDepth) {
    xcb_free_gc(c, m_gc);
    m_gc = 0;
  }
  if (m_gc == 0) {
    m_gc = xcb_generate_id(c);
    m_gcDepth = depth;
    // No exposure events for the puts: the window's own exposures come from the server anyway.
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, m_gc, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  }
  m_depth = depth;
  // In bytes; the request's length field counts 4-byte units.
  m_maxRequestBytes = xcb_get_maximum_request_length(c) * 4;
  return true;
}

QImage* NativeSurface::frame() {
  if (!m_widget.isVisible()) return nullptr;
  QWindow* window = m_widget.windowHandle();
  if (window == nullptr || !window->isExposed()) return nullptr;
  if (window != m_watched.data()) {
    if (QWindow* before = m_watched.data()) before->removeEventFilter(this);
    m_watched = window;
    window->installEventFilter(this);
  }
  const qreal ratio = window->devicePixelRatio();
  if (ratio < 1 || ratio != std::floor(ratio)) return nullptr;
  if (!knowWindow(static_cast<std::uint32_t>(m_widget.internalWinId()))) return nullptr;
  const QSize device = m_widget.size() * static_cast<int>(ratio);
  if (device.isEmpty()) return nullptr;
  if (m_frame.size() != device) m_frame = QImage(device, QImage::Format_RGB32);
  m_frame.setDevicePixelRatio(ratio);
  return &m_frame;
}

void NativeSurface::put() {
  xcb_connection_t* c = m_c;
  if (m_depth == 0 || m_frame.isNull()) return;
  if (!m_overlayValid || m_overlay.size() != m_frame.size() ||
      m_overlay.devicePixelRatio() != m_frame.devicePixelRatio()) {
    makeOverlay();
  }
  if (m_overlayOpaque) {
    // Frame rows are as wide as the overlay's (32-bit pixels, no padding).
    auto* pixels = reinterpret_cast<std::uint32_t*>(m_frame.bits());
    for (const auto& [at, pixel] : m_overlayPixels)
      pixels[at] = pixel;
  } else {
    paintChildren(m_frame);
  }
  // In bands of whole rows that each fit one request (24 bytes of header).
  const QSize device = m_frame.size();
  const auto rowBytes = static_cast<std::uint32_t>(m_frame.bytesPerLine());
  const std::uint32_t room = m_maxRequestBytes > 24 ? m_maxRequestBytes - 24 : 0;
  const int rowsPerPut = static_cast<int>(
      std::min<std::uint32_t>(room / rowBytes, static_cast<std::uint32_t>(device.height())));
  for (int y = 0; y < device.height() && rowsPerPut > 0; y += rowsPerPut) {
    const int rows = std::min(rowsPerPut, device.height() - y);
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, m_gc,
                  static_cast<std::uint16_t>(device.width()), static_cast<std::uint16_t>(rows), 0,
                  static_cast<std::int16_t>(y), 0, m_depth,
                  static_cast<std::uint32_t>(rows) * rowBytes, m_frame.constScanLine(y));
  }
  xcb_flush(c);
}

}  // namespace host
