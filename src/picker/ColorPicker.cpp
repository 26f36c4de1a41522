// The picker window: construction, its controls from the layout table, its timers.
#include <QIcon>
#include <QPixmap>
#include <QString>

#include "ColorPicker.h"
#include "ColorPickerLayout.h"
#include "about/cLogo.h"
#include "color/twCMYK.h"
#include "host/Canvas.h"
#include "host/FormData.h"
#include "host/Screen.h"
#include "mixer/MixerLayout.h"
#include "program/Palette.h"
#include "zoom/CZoom.h"

ColorPicker::ColorPicker(host::ScreenSource& screen, QWidget* parent)
    : host::Form(parent), mnuPopup(this), m_screen(screen) {
  setWindowTitle(QStringLiteral("Tintwell"));
  // Decoded by its suffix: an icon made from the path would ask every image plugin whether the
  // file is theirs, loading each one.
  setWindowIcon(
      QIcon(QPixmap::fromImage(host::readPicture(QStringLiteral(":/icons/tintwell.png")))));
  BackColor(Palette::kDarkBlue);
  ForeColor(Palette::kWhite);
  Width(ColorPickerLayout::kCompactWidth);
  Height(ColorPickerLayout::kHeight);
  KeyPreview(true);
  setMouseTracking(true);
  createControls();
  buildMenu();
  wireEvents();
  wireMixer();
  Timer1.Tick.connect([this] { Timer1_Timer(); });
  Timer.Interval(10);
  Timer.Tick.connect([this] { Timer_Timer(); });
  Form_Initialize();
}

ColorPicker::~ColorPicker() {
  (void)m_screen.wakeOnActivity({});
}

void ColorPicker::createControls() {
  const host::FormData stored = host::FormData::load(QStringLiteral(":/forms/ColorPicker.txt"));
  for (const QString& problem : stored.problems()) {
    qWarning("stored form data of ColorPicker: %s", qPrintable(problem));
  }
  buildControls({ColorPickerLayout::controls(), MixerLayout::controls()}, stored);
  host::linkCaptions(*this, ColorPickerLayout::captions());
  host::linkCaptions(*this, MixerLayout::captions());
  showMixerPanel(false);
}
