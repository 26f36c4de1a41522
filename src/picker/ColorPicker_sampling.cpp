// The sampling tick of the picker window.
#include <QString>
#include <initializer_list>

#include "ColorPicker.h"
#include "PickerReadouts.h"
#include "color/twCMYK.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/TextBox.h"
#include "host/screen/ScreenSource.h"
#include "twProgressBar.h"

namespace {

QString num(std::int32_t v) {
  return QString::number(v);
}
QString utf8(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

// Each box gets the drawing state its painter expects (the not-XOR pen, so the bar color shows
// unchanged on the white background; a solid fill; a persistent buffer), then its painter. A box
// that already shows the same bar (and on which nothing else drew since) is not painted again,
// so an unchanged readout costs no repaint; the black bar's painter also lets pending messages
// run, and that still happens.
void ColorPicker::paintBars(std::size_t first, std::initializer_list<Bar> bars) {
  std::size_t i = first;
  for (const Bar& bar : bars) {
    PaintedBar& last = m_paintedBars[i++];
    const bool same = last.box == bar.box && last.drawings == bar.box->drawings() &&
                      last.color == bar.color && last.max == bar.max && last.value == bar.value;
    if (same) {
      if (bar.painter == twProgressBar::DrawBarBlack) host::DoEvents();
      continue;
    }
    bar.box->DrawMode(host::Rop2::NotXorPen);
    bar.box->FillStyle(host::PictureBox::FillStyleKind::Solid);
    bar.box->ForeColor(bar.color);
    bar.box->BackColor(0xFFFFFF);
    bar.box->AutoRedraw(true);
    // Recorded before the painter: the black one lets messages run, which may draw again.
    last = PaintedBar{bar.box, bar.color, bar.max, bar.value, 0};
    bar.painter(*bar.box, bar.max, bar.value, bar.value);
    m_paintedBars[i - 1].drawings = bar.box->drawings();
  }
}

void ColorPicker::Timer1_Timer() {
  if (!m_cmyk) {
    // Ticks only run after loading, which creates the CMYK object; a tick forced earlier (a
    // test) gets one set to black, as loading would.
    m_cmyk = std::make_unique<twCMYK>();
    m_cmyk->RGB(0);
  }
  // Physical pixels of the virtual desktop; shown relative to the primary monitor's corner, so
  // left of or above it the numbers are negative.
  const QPoint pos = m_screen.cursorPos();
  const host::ColorRef c = m_screen.pixel(pos);
  const QPoint shown = pos - m_screen.primaryGeometry().topLeft();
  const PickerReadouts r = readoutsFor(shown.x(), shown.y(), c, *m_cmyk);
  m_shownColor = r.swatch;

  lbl_mouse->Caption(utf8(r.mouse));
  lbl_color->BackColor(r.swatch);
  lbl_red->Caption(num(r.red));
  lbl_green->Caption(num(r.green));
  lbl_blue->Caption(num(r.blue));

  paintBars(0, {{Picture1, twProgressBar::kRedPen, twProgressBar::DrawBarRed, 255, r.red},
                {Picture2, twProgressBar::kGreenPen, twProgressBar::DrawBarGreen, 255, r.green},
                {Picture3, twProgressBar::kBluePen, twProgressBar::DrawBarBlue, 255, r.blue}});

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

  // The black bar's painter comes last: it lets pending messages run once every readout is
  // written.
  paintBars(3,
            {{Picture4, twProgressBar::kCyanPen, twProgressBar::DrawBarCyan, 100, r.cyan},
             {Picture5, twProgressBar::kMagentaPen, twProgressBar::DrawBarMagenta, 100, r.magenta},
             {Picture6, twProgressBar::kYellowPen, twProgressBar::DrawBarYellow, 100, r.yellow},
             {Picture7, twProgressBar::kBlackPen, twProgressBar::DrawBarBlack, 100, r.black}});
}
