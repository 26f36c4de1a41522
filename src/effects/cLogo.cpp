#include "cLogo.h"

#include "host/core/Convert.h"
#include "host/draw/Canvas.h"
#include "host/draw/SystemColors.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Screen.h"
#include "program/Palette.h"
#include "program/ProgramFlags.h"

namespace {

void split(host::ColorRef color, std::int16_t& r, std::int16_t& g, std::int16_t& b) {
  const host::ColorRef v = host::translateColor(color, 0);
  r = static_cast<std::int16_t>(host::redOf(v));
  g = static_cast<std::int16_t>(host::greenOf(v));
  b = static_cast<std::int16_t>(host::blueOf(v));
}

}  // namespace

cLogo::cLogo() {
  // Before the first set both colors are "unset"; the setters below store and translate.
  m_StartColor = host::kInvalidColor;
  m_EndColor = host::kInvalidColor;
  StartColor(ProgramFlags::AboutOpen ? 0x000000 : 0x161616);
  EndColor(Palette::kGradientBlue);
}

void cLogo::StartColor(host::ColorRef oColor) {
  if (oColor == m_StartColor) return;
  m_StartColor = oColor;
  split(oColor, m_startRed, m_startGreen, m_startBlue);
  if (m_DrawingObject != nullptr) Draw();
}

void cLogo::EndColor(host::ColorRef oColor) {
  if (oColor == m_EndColor) return;
  m_EndColor = oColor;
  split(oColor, m_endRed, m_endGreen, m_endBlue);
  if (m_DrawingObject != nullptr) Draw();
}

host::LogFont cLogo::BuildLogFont(const QFont& font, int logPixelsY) const {
  host::LogFont lf;
  lf.faceName = font.family().left(31);
  const int points = host::roundHalfEven(font.pointSizeF());
  // MulDiv: rounded, halves away from zero.
  lf.height = -static_cast<int>((static_cast<long long>(points) * logPixelsY * 2 + 72) / 144);
  lf.italic = font.italic();
  lf.underline = font.underline();
  lf.strikeOut = font.strikeOut();
  lf.weight = font.bold() ? 700 : 400;
  lf.quality = 4;
  return lf;
}

void cLogo::Draw() {
  host::PictureBox* box = m_DrawingObject;
  if (box == nullptr) return;
  host::Canvas dc = box->canvas();
  const double tx = host::Screen::TwipsPerPixelX();
  const double ty = host::Screen::TwipsPerPixelY();
  // The strip's size in pixels from its size in twips.
  const int H = host::roundHalfEven(box->height() * ty) / std::max(host::roundHalfEven(ty), 1);
  const int W = host::roundHalfEven(box->width() * tx) / std::max(host::roundHalfEven(tx), 1);
  const int step = bandStep(H);

  int r = m_startRed, g = m_startGreen, b = m_startBlue;
  int bottom = H;
  for (int i = H; i >= 0; i -= step) {
    const int top = bottom - step;
    dc.FillRect(host::Rect{0, top, W, bottom}, host::RGB(r, g, b));
    bottom = top;
    const double t = H - i;
    auto channel = [&](int start, int end) {
      return host::roundHalfEven(start + t * (end - start) / H);
    };
    r = channel(m_startRed, m_endRed);
    g = channel(m_startGreen, m_endGreen);
    b = channel(m_startBlue, m_endBlue);
  }

  // The box's own logical DPI (the platform's GetDeviceCaps LOGPIXELSY of its device context).
  host::LogFont lf = BuildLogFont(box->font(), box->logicalDpiY());
  lf.escapement = 900;
  dc.TextOut(0, H - 16, m_Caption, host::fontFromLogFont(lf), lf.escapement,
             host::translateColor(box->ForeColor()));
  box->update();
}
