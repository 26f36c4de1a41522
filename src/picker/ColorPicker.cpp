// The picker window: construction, its controls from the layout table, its timers.
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <vector>

#include "ColorPicker.h"
#include "ColorPickerLayout.h"
#include "color/twCMYK.h"
#include "effects/cLogo.h"
#include "host/draw/Canvas.h"
#include "host/forms/FormData.h"
#include "host/platform/Reporter.h"
#include "host/screen/ScreenSource.h"
#include "mixer/MixerLayout.h"
#include "mixer/MixerPanel.h"
#include "program/Palette.h"
#include "zoom/CZoom.h"

ColorPicker::ColorPicker(host::ScreenSource& screen, QWidget* parent, const QString& storedForm)
    : host::Form(parent), mnuPopup(this), m_screen(screen) {
  setWindowTitle(QStringLiteral("Tintwell"));
  // Decoded by its suffix: an icon made from the path would ask every image plugin whether the
  // file is theirs, loading each one.
  setWindowIcon(
      QIcon(QPixmap::fromImage(host::readPicture(QStringLiteral(":/icons/tintwell.bmp")))));
  BackColor(Palette::kDarkBlue);
  ForeColor(Palette::kWhite);
  Width(ColorPickerLayout::kCompactWidth);
  Height(ColorPickerLayout::kHeight);
  KeyPreview(true);
  setMouseTracking(true);
  createControls(storedForm);
  buildMenu();
  wireEvents();
  Timer1.Tick.connect([this] { Timer1_Timer(); });
  Timer.Interval(10);
  Timer.Tick.connect([this] { Timer_Timer(); });
  Form_Initialize();
}

ColorPicker::~ColorPicker() {
  (void)m_screen.wakeOnActivity({});
}

namespace {
// Unreadable lines, and values the controls could not use, went to their defaults; the log says
// which (no message box: the window works as designed without them).
void logStoredProblems(const std::vector<QString>& problems) {
  for (const QString& problem : problems)
    host::reporter().logError(QStringLiteral("stored form data of ColorPicker: ") + problem);
}
}  // namespace

void ColorPicker::createControls(const QString& storedForm) {
  m_storedForm = host::FormData::load(storedForm);
  buildControls({ColorPickerLayout::controls()}, m_storedForm);
  logStoredProblems(m_storedForm.problems());
  logStoredProblems(m_storedForm.takeReadProblems());
  host::linkCaptions(*this, ColorPickerLayout::captions());
}

MixerPanel& ColorPicker::mixer() {
  if (m_mixer) return *m_mixer;
  // Built on first use, beside the window's own controls and after them (on top, last in the Tab
  // order): most sessions never open it, and its sliders' pictures, text boxes and surfaces
  // would stay in memory all day.
  host::buildControls(*this, MixerLayout::controls(), m_storedForm);
  logStoredProblems(m_storedForm.takeReadProblems());
  host::linkCaptions(*this, MixerLayout::captions());
  m_mixer = std::make_unique<MixerPanel>(static_cast<MixerOwner&>(*this));
  return *m_mixer;
}
