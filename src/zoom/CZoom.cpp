#include "CZoom.h"

#include <QScopeGuard>
#include <QWidget>
#include <cstring>
#include <string>
#include <utility>

#include "host/core/RuntimeError.h"
#include "host/draw/SystemColors.h"
#include "host/forms/PictureBox.h"
#include "host/screen/PhysicalPixels.h"
#include "host/screen/ScreenSource.h"

CZoom::CZoom(host::ScreenSource& screen) : m_screen(screen) {}

void CZoom::ZoomFactor(int value) {
  if (value < 1 || value > kMaxZoomFactor) RaiseError(host::kErrInvalidProcedureCall, "ZoomFactor");
  m_ZoomFactor = value;
}

host::ColorRef CZoom::TranslateColor(host::ColorRef color) const {
  return host::translateColor(color, 0);
}

void CZoom::RaiseError(int number, const char* operationName) const {
  throw host::RuntimeError(number, std::string("CZoom.") + operationName, "Invalid parameter");
}

void CZoom::Zoom(host::Canvas& dest, int DestX, int DestY, int DestW, int DestH,
                 host::ColorRef MaskColor) {
  (void)render(dest, DestX, DestY, DestW, DestH, MaskColor, false);
}

bool CZoom::render(host::Canvas& dest, int DestX, int DestY, int DestW, int DestH,
                   host::ColorRef MaskColor, bool mayKeep) {
  if (m_busy) return false;
  m_busy = true;
  // Cleared however the paint ends: the next tick paints again.
  const auto idle = qScopeGuard([this] { m_busy = false; });
  bool painted = false;
  try {
    const QPoint cursor = m_screen.cursorPos();
    const host::ColorRef fillColor = TranslateColor(MaskColor);
    ZoomInput in;
    in.cursorX = cursor.x();
    in.cursorY = cursor.y();
    in.destX = DestX;
    in.destY = DestY;
    in.destW = DestW;
    in.destH = DestH;
    in.factor = m_ZoomFactor;
    in.fullPixelsOnly = m_ShowFullPixelsOnly;
    in.mouseCentered = m_MouseCentered;
    // Clipped to the monitor under the cursor (the primary one on a single-screen desktop).
    if (const std::optional<QRect> monitor = m_screen.screenGeometryAt(cursor)) {
      in.screenLeft = monitor->left();
      in.screenTop = monitor->top();
      in.screenWidth = monitor->width();
      in.screenHeight = monitor->height();
    } else {
      in.screenLeft = cursor.x();
      in.screenTop = cursor.y();
    }
    const ZoomPlan plan = planZoom(in);
    QImage source;
    if (plan.copies()) source = m_screen.grab(QRect(plan.sx, plan.sy, plan.cols, plan.rows));
    // The same screen pixels at the same place as last time: the target already shows them.
    const bool same = mayKeep && m_lastValid && plan == m_last.plan && fillColor == m_last.fill &&
                      DestX == m_last.destX && DestY == m_last.destY && DestW == m_last.destW &&
                      DestH == m_last.destH && sameSource(source);
    if (!same && plan.paints) {
      for (int i = 0; i < plan.fillCount; ++i)
        dest.FillRect(plan.fills[static_cast<std::size_t>(i)], fillColor);
      if (plan.copies()) {
        const host::Rect to = plan.copyRect(in);
        // A read the display refused shows the background, not the last picture.
        if (source.isNull()) {
          dest.FillRect(to, fillColor);
        } else {
          dest.StretchBlt(to.left, to.top, to.width(), to.height(), source, 0, 0, plan.cols,
                          plan.rows);
        }
      }
      painted = true;
    }
    if (!same) remember(plan, DestX, DestY, DestW, DestH, fillColor, source);
  } catch (const host::RuntimeError& e) {
    // A failed paint ends quietly; the next tick paints again. Said once, not a hundred times a
    // second.
    m_lastValid = false;
    if (!std::exchange(m_failureLogged, true)) {
      qWarning("tintwell: the magnifier could not paint (%s, error %d: %s)", e.source().c_str(),
               e.number(), e.description().c_str());
    }
  }
  return painted;
}

bool CZoom::sameSource(const QImage& source) const {
  if (source.isNull()) return m_last.source.empty();
  const auto w = static_cast<std::size_t>(source.width());
  if (m_last.source.size() != w * static_cast<std::size_t>(source.height())) return false;
  for (int y = 0; y < source.height(); ++y) {
    if (std::memcmp(source.constScanLine(y), m_last.source.data() + w * static_cast<std::size_t>(y),
                    w * 4) != 0) {
      return false;
    }
  }
  return true;
}

void CZoom::remember(const ZoomPlan& plan, int DestX, int DestY, int DestW, int DestH,
                     host::ColorRef fill, const QImage& source) {
  m_last.plan = plan;
  m_last.destX = DestX;
  m_last.destY = DestY;
  m_last.destW = DestW;
  m_last.destH = DestH;
  m_last.fill = fill;
  // Reused storage: a still pointer allocates nothing tick after tick.
  if (source.isNull()) {
    m_last.source.clear();
  } else {
    const QImage rgb =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const auto w = static_cast<std::size_t>(rgb.width());
    m_last.source.resize(w * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
      std::memcpy(m_last.source.data() + w * static_cast<std::size_t>(y), rgb.constScanLine(y),
                  w * 4);
  }
  m_lastValid = true;
}

bool CZoom::ZoomCanvas(host::PictureBox& canvas) {
  // Nothing else drew on the box since this engine's last paint (its own canvas() was the last).
  const bool untouched = m_lastCanvas == &canvas && canvas.drawings() == m_lastDrawings;
  host::Canvas dc = canvas.canvas();
  const bool painted =
      render(dc, 0, 0, static_cast<int>(canvas.ScaleWidth()),
             static_cast<int>(canvas.ScaleHeight()), canvas.BackColor(), untouched);
  m_lastCanvas = &canvas;
  m_lastDrawings = canvas.drawings();
  if (painted) canvas.present();
  return painted;
}

bool CZoom::IsMouseOverWindow(const QWidget& window) const {
  // QRect::contains, like PtInRect, counts the right and bottom edge lines as outside. The
  // window's rectangle is the toolkit's (device-independent pixels); the cursor the display's.
  return host::toPhysical(window.frameGeometry()).contains(m_screen.cursorPos());
}
