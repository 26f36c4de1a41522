#include "CZoom.h"

#include <QWidget>
#include <exception>
#include <string>

#include "host/PictureBox.h"
#include "host/RuntimeError.h"
#include "host/Screen.h"
#include "host/SystemColors.h"

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
  if (m_busy) return;
  m_busy = true;
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
    if (plan.paints) {
      for (int i = 0; i < plan.fillCount; ++i)
        dest.FillRect(plan.fills[static_cast<std::size_t>(i)], fillColor);
      if (plan.copies()) {
        const QImage source = m_screen.grab(QRect(plan.sx, plan.sy, plan.cols, plan.rows));
        const host::Rect to = plan.copyRect(in);
        dest.StretchBlt(to.left, to.top, to.width(), to.height(), source, 0, 0, plan.cols,
                        plan.rows);
      }
    }
  } catch (const std::exception&) {
    // A failed paint ends quietly; the next tick paints again.
  }
  m_busy = false;
}

void CZoom::ZoomCanvas(host::PictureBox& canvas) {
  host::Canvas dc = canvas.canvas();
  Zoom(dc, 0, 0, static_cast<int>(canvas.ScaleWidth()), static_cast<int>(canvas.ScaleHeight()),
       canvas.BackColor());
  canvas.update();
}

bool CZoom::IsMouseOverWindow(const QWidget& window) const {
  // QRect::contains, like PtInRect, counts the right and bottom edge lines as outside.
  return window.frameGeometry().contains(m_screen.cursorPos());
}
