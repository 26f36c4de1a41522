#pragma once

#include <QString>
#include <cstdint>

#include "host/core/ColorRef.h"
#include "host/draw/Fonts.h"

namespace host {
class PictureBox;
}

// Paints a logo strip onto a picture box: a vertical gradient from StartColor at the bottom to
// EndColor at the top, in bands, with the caption written upwards over it.
class cLogo {
 public:
  cLogo();

  void Caption(const QString& sCaption) { m_Caption = sCaption; }
  const QString& Caption() const { return m_Caption; }
  // The surface to paint on (not owned); setting it does not repaint.
  void DrawingObject(host::PictureBox* picThis) { m_DrawingObject = picThis; }
  host::ColorRef StartColor() const { return m_StartColor; }
  // A new value is stored as given (system colors too) and painted translated; the same value
  // again does nothing.
  void StartColor(host::ColorRef oColor);
  host::ColorRef EndColor() const { return m_EndColor; }
  void EndColor(host::ColorRef oColor);
  // Paints the strip; without a drawing object it does nothing.
  void Draw();

  // The band height for a strip of `h` pixels (never below 1).
  static int bandStep(int h) { return h / 255 > 0 ? h / 255 : 1; }

 private:
  host::LogFont BuildLogFont(const QFont& font, int logPixelsY) const;

  host::PictureBox* m_DrawingObject = nullptr;
  QString m_Caption;
  std::int16_t m_startRed = 0, m_startGreen = 0, m_startBlue = 0;
  host::ColorRef m_StartColor = 0;
  std::int16_t m_endRed = 0, m_endGreen = 0, m_endBlue = 0;
  host::ColorRef m_EndColor = 0;
};
