#pragma once

#include <cstdint>
#include <vector>

#include "ZoomPlan.h"
#include "host/core/ColorRef.h"

class QImage;
class QWidget;
namespace host {
class Canvas;
class PictureBox;
class ScreenSource;
}  // namespace host

// The magnifier: paints an enlarged copy of the screen around the cursor onto a canvas, each
// screen pixel a ZoomFactor x ZoomFactor block, with the background color wherever the copied
// area runs past the edge of the monitor under the cursor.
class CZoom {
 public:
  explicit CZoom(host::ScreenSource& screen);

  int MaxZoomFactor() const { return kMaxZoomFactor; }
  int ZoomFactor() const { return m_ZoomFactor; }
  // 1..32; anything else raises run-time error 5 from "CZoom.ZoomFactor" and keeps the factor.
  void ZoomFactor(int value);
  bool ShowFullPixelsOnly() const { return m_ShowFullPixelsOnly; }
  void ShowFullPixelsOnly(bool value) { m_ShowFullPixelsOnly = value; }
  bool MouseCentered() const { return m_MouseCentered; }
  void MouseCentered(bool value) { m_MouseCentered = value; }

  // Paints into the rectangle (DestX, DestY, DestW, DestH) of `dest`, device pixels; MaskColor
  // (a ColorRef or a system color) fills the parts beyond the screen. Ends quietly on a run-time
  // error (logged the first time); any other exception is a programming error and goes on to the
  // caller's handler boundary.
  void Zoom(host::Canvas& dest, int DestX, int DestY, int DestW, int DestH,
            host::ColorRef MaskColor);
  // Zoom over a picture box's whole inner area with its background color; the box's scale must
  // be pixels. When the box still shows exactly what this paint would put there (the same screen
  // pixels, place, factor and background, and nothing else drew on it since), it is left alone:
  // no paint, no repaint of the window. Returns whether it painted.
  bool ZoomCanvas(host::PictureBox& canvas);
  // Whether the cursor lies in the window's screen rectangle (right and bottom edges outside).
  bool IsMouseOverWindow(const QWidget& window) const;

  static constexpr int kMaxZoomFactor = 32;

 private:
  // What one paint put on its target: enough to tell that the next would be the same.
  struct Painted {
    ZoomPlan plan;
    int destX = 0, destY = 0, destW = 0, destH = 0;
    host::ColorRef fill = 0;
    std::vector<std::uint32_t> source;  // the copied screen pixels, row after row
  };
  // Paints, unless `mayKeep` allows keeping a target that already shows the result; whether it
  // painted.
  bool render(host::Canvas& dest, int DestX, int DestY, int DestW, int DestH,
              host::ColorRef MaskColor, bool mayKeep);
  bool sameSource(const QImage& source) const;
  void remember(const ZoomPlan& plan, int DestX, int DestY, int DestW, int DestH,
                host::ColorRef fill, const QImage& source);
  host::ColorRef TranslateColor(host::ColorRef color) const;
  [[noreturn]] void RaiseError(int number, const char* operationName) const;

  host::ScreenSource& m_screen;
  int m_ZoomFactor = kDefaultZoomFactor;
  bool m_ShowFullPixelsOnly = false;
  bool m_MouseCentered = true;
  bool m_busy = false;
  bool m_failureLogged = false;
  Painted m_last;
  bool m_lastValid = false;
  const void* m_lastCanvas = nullptr;  // the picture box last painted, and its drawing count
  std::uint64_t m_lastDrawings = 0;
};
