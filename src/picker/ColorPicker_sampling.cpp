// The sampling tick of the picker window.
#include <QString>

#include "ColorPicker.h"
#include "PickerReadouts.h"
#include "color/twCMYK.h"
#include "host/Label.h"
#include "host/PictureBox.h"
#include "host/Screen.h"
#include "host/TextBox.h"
#include "twProgressBar.h"

namespace {

QString num(std::int32_t v) {
  return QString::number(v);
}
QString utf8(const std::string& s) {
  return QString::fromStdString(s);
}

// The drawing state a bar painter expects: the not-XOR pen, so the bar color shows unchanged
// on the white background, a solid fill, and a persistent buffer.
void prepareBar(host::PictureBox& box, host::ColorRef barColor) {
  box.DrawMode(host::Rop2::NotXorPen);
  box.FillStyle(host::PictureBox::FillStyleKind::Solid);
  box.ForeColor(barColor);
  box.BackColor(0xFFFFFF);
  box.AutoRedraw(true);
}

}  // namespace

void ColorPicker::Timer1_Timer() {
  if (!m_cmyk) {
    // Ticks only run after loading, which creates the CMYK object; a tick forced earlier (a
    // test) gets one set to black, as loading would.
    m_cmyk = std::make_unique<twCMYK>();
    m_cmyk->RGB(0);
  }
  const QPoint pos = m_screen.cursorPos();
  const host::ColorRef c = m_screen.pixel(pos);
  const PickerReadouts r = readoutsFor(pos.x(), pos.y(), c, *m_cmyk);

  lbl_mouse->Caption(utf8(r.mouse));
  lbl_color->BackColor(r.swatch);
  lbl_red->Caption(num(r.red));
  lbl_green->Caption(num(r.green));
  lbl_blue->Caption(num(r.blue));

  prepareBar(*Picture1, 0x0000FF);
  twProgressBar::DrawBarRed(*Picture1, 255, r.red, r.red);
  prepareBar(*Picture2, 0x00FF00);
  twProgressBar::DrawBarGreen(*Picture2, 255, r.green, r.green);
  prepareBar(*Picture3, 0xFF0000);
  twProgressBar::DrawBarBlue(*Picture3, 255, r.blue, r.blue);

  txt_Hex->Text(utf8(r.hex));
  txt_vbcode->Text(utf8(r.vbLong));

  lbl_Hue->Caption(utf8(r.hueText));
  lbl_Lum->Caption(num(r.saturation));
  lbl_Sat->Caption(num(r.brightness));

  lbl_gryR->Caption(num(r.grey));
  lbl_gryG->Caption(num(r.grey));
  lbl_gryB->Caption(num(r.grey));
  lbl_Grey->BackColor(r.greySwatch);

  lbl_C->Caption(utf8(percentText(r.cyan)));
  lbl_M->Caption(utf8(percentText(r.magenta)));
  lbl_Y->Caption(utf8(percentText(r.yellow)));
  lbl_K->Caption(utf8(percentText(r.black)));

  prepareBar(*Picture4, 0xFFFF00);
  twProgressBar::DrawBarCyan(*Picture4, 100, r.cyan, r.cyan);
  prepareBar(*Picture5, 0xFF00FF);
  twProgressBar::DrawBarMagenta(*Picture5, 100, r.magenta, r.magenta);
  prepareBar(*Picture6, 0x00FFFF);
  twProgressBar::DrawBarYellow(*Picture6, 100, r.yellow, r.yellow);
  prepareBar(*Picture7, 0x000000);
  twProgressBar::DrawBarBlack(*Picture7, 100, r.black, r.black);
}
