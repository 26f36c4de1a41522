// The picker window's life: loading, resizing, the sampling switch, keys, the about window,
// closing, dragging, and the text boxes' selection.
#include <QString>

#include "ColorPicker.h"
#include "ColorPickerLayout.h"
#include "PickerReadouts.h"
#include "color/twCMYK.h"
#include "controls/button/CandyButton.h"
#include "effects/AlphaAnim.h"
#include "effects/GradientForm.h"
#include "effects/RoundWindow.h"
#include "effects/cLogo.h"
#include "host/core/Convert.h"
#include "host/core/InputCodes.h"
#include "host/core/RuntimeError.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Forms.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Screen.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "host/platform/Platform.h"
#include "host/screen/ScreenSource.h"
#include "program/Palette.h"
#include "program/ProgramFlags.h"
#include "zoom/CZoom.h"

bool ColorPickerMain::InitCommonCtls() {
  // The registration reports a failure through its result alone; it raises nothing.
  return host::InitCommonControls();
}

void ColorPicker::Form_Initialize() {
  (void)ColorPickerMain::InitCommonCtls();
}

void ColorPicker::wireEvents() {
  Load.connect([this] { Form_Load(); });
  Resize.connect([this] { Form_Resize(); });
  KeyPress.connect([this](int& keyAscii) { Form_KeyPress(keyAscii); });
  KeyDown.connect([this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); });
  MouseDown.connect([this](const host::MouseArgs& a) { Form_MouseDown(a); });
  MouseMove.connect([this](const host::MouseArgs& a) { Form_MouseMove(a); });
  Check1->Click.connect([this] { Check1_Click(); });
  onTop->Click.connect([this] { onTop_Click(); });
  lbl_about->Click.connect([this] { lbl_about_Click(); });
  lbl_Exit->Click.connect([this] { lbl_Exit_Click(); });
  btn_Mixer->Click.connect([this] { mixer().btn_Mixer_Click(); });
  txt_Hex->GotFocus.connect([this] { txt_Hex_GotFocus(); });
  txt_vbcode->GotFocus.connect([this] { txt_vbcode_GotFocus(); });
  wireCopyItems();

  // Dragging these moves the window; over the first group the switch also keeps the focus.
  const auto dragAndFocus = [this](const host::MouseArgs& a) {
    dragOnLeftButton(a);
    focusSwitch();
  };
  for (host::MouseEvents* c :
       std::initializer_list<host::MouseEvents*>{picLogo, lbl_color, lbl_Grey, Pic_zoom}) {
    c->MouseMove.connect(dragAndFocus);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{picLogo, lbl_color, lbl_Grey, Pic_zoom}) {
    w->setMouseTracking(true);
  }
  const auto drag = [this](const host::MouseArgs& a) { dragOnLeftButton(a); };
  for (host::Label* l : std::initializer_list<host::Label*>{
           lbl_red, lbl_green, lbl_blue, lbl_gryR, lbl_gryG, lbl_gryB, lbl_Hue, lbl_Lum, lbl_Sat}) {
    l->MouseMove.connect(drag);
  }
  txt_vbcode->MouseMove.connect(drag);
  // The captions "Color", "DECIMAL", "R", "G", "B" and "VB Long".
  for (const char* caption : {"Label3", "Label4", "Label2", "Label9", "Label11", "Label7"}) {
    control<host::Label>(caption)->MouseMove.connect(drag);
  }
}

void ColorPicker::Form_Load() {
  Width(ColorPickerLayout::kCompactWidth);
  Height(ColorPickerLayout::kHeight);
  m_cmyk = std::make_unique<twCMYK>();
  m_cmyk->RGB(0);
  Pic_zoom->ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  // Shown anew up to a hundred times a second: straight into a window of its own where it can.
  Pic_zoom->DirectPresent(true);
  m_zoom = std::make_unique<CZoom>(m_screen);
  mnuItem[1]->Checked(m_zoom->ShowFullPixelsOnly());
  mnuItem[2]->Checked(m_zoom->MouseCentered());
  for (int i = 2; i <= 5; ++i)
    loadZoomItem();  // "2x" to "5x"
  btn_Mixer->Enabled(false);
  loadZoomItem();  // "15x"
  loadZoomItem();  // "25x"
  mnuZoom_Click(ColorPickerLayout::kDefaultZoomItem);
  m_zoom->ZoomFactor(ColorPickerLayout::kDefaultZoomFactor);
  Timer1.Interval(100);
  ensureLogo();
  m_logo->DrawingObject(picLogo);
  const host::AppVersion v = host::App();
  m_logo->Caption(
      QStringLiteral("::: Tintwell :::   v %1.%2.0.%3").arg(v.Major).arg(v.Minor).arg(v.Revision));
  if (ProgramFlags::topmostAvailable()) host::SetTopmost(*this, true);
  shapeWindow();
  if (!ProgramFlags::topmostAvailable()) onTop->Enabled(false);
  CenterOnScreen();
  AlphaAnim::AnimateForm(*this, 25, 1, "in");
  for (int f = 1000; f <= 3000; f += 500) {
    host::Beep(f, 50);
    host::DoEvents();
  }
  setSampling(true);
  lbl_zoom_size->Caption(QStringLiteral("Zoom (%1x)").arg(ColorPickerLayout::kDefaultZoomFactor));
}

void ColorPicker::shapeWindow() {
  RoundWindow::RoundWindowRgn(*this, 7);
  GradientForm::GradientFillForm(0, Palette::kGradientBlue, *this, 0);
}

void ColorPicker::ensureLogo() {
  if (!m_logo) m_logo = std::make_unique<cLogo>();
}

void ColorPicker::Form_Resize() {
  if (picLogo == nullptr) return;  // still being built
  // The strip spans the window's inner height (the window's scale is twips).
  host::skipOnError([this] {
    picLogo->resize(picLogo->width(), host::twipsToPixels(host::roundHalfEven(ScaleHeight()),
                                                          host::Screen::TwipsPerPixelY()));
  });
  ensureLogo();
  m_logo->Draw();
  Timer.Enabled(!(windowState() & Qt::WindowMinimized));
}

void ColorPicker::Check1_Click() {
  const int value = Check1->Value();
  if (value == 0 || value == 1) setSampling(value == 1);  // greyed (2): nothing
}

void ColorPicker::setSampling(bool on) {
  runTimers(on);
  Check1->ForeColor(on ? Palette::kGreen : Palette::kLightGrey);
  ProgramFlags::SamplingOn = on;
  // The mixer is for a frozen color: usable only while sampling is off.
  btn_Mixer->Enabled(!on);
}

void ColorPicker::runTimers(bool on) {
  Timer1.Enabled(on);
  Timer.Enabled(on);
}

void ColorPicker::onTop_Click() {
  if (ProgramFlags::topmostAvailable()) host::SetTopmost(*this, onTop->Value() == 1);
  focusSwitch();
}

void ColorPicker::focusSwitch() {
  if (Check1->Enabled()) Check1->SetFocus();
}

void ColorPicker::Form_KeyPress(int& keyAscii) {
  if (keyAscii == host::kKeyEscape) host::End();
}

void ColorPicker::Form_KeyDown(int& keyCode, int shift) {
  if (keyCode == 'C' && shift == (host::kShiftMask | host::kCtrlMask)) {
    keyCode = 0;  // not the focused box's
    copyCurrentColor();
    return;
  }
  if (keyCode == host::kKeyF1) {
    lbl_about_Click();
    return;
  }
  // Only while sampling: frozen, the arrows are the focused control's own (moving the caret in
  // a readout's or the mixer's text).
  if (!ProgramFlags::SamplingOn) return;
  const std::optional<PointerStep> step = nudgeFor(keyCode, shift);
  if (!step) return;
  // The arrows move the pointer, not the focus (a check box would pass it on): Space keeps
  // reaching the switch, so a user steps onto a one-pixel line and freezes it.
  keyCode = 0;
  if (!m_screen.movePointerBy(QPoint(step->dx, step->dy))) return;
  // A resting magnifier shows the new place at its next tick, not at the next readout's.
  if (Timer.suspended()) {
    (void)m_screen.wakeOnActivity({});
    Timer.Resume();
  }
}

void ColorPicker::lbl_about_Click() {
  if (!m_about) m_about = std::make_unique<frm_about>(static_cast<AboutOwner&>(*this));
  if (ProgramFlags::fadingAvailable()) m_about->DialogAction(3);
  m_about->ShowModal();
}

void ColorPicker::lbl_Exit_Click() {
  AlphaAnim::AnimateForm(*this, 25, 2, "out");
  unload();
}

void ColorPicker::Form_MouseMove(const host::MouseArgs& args) {
  dragOnLeftButton(args);
  focusSwitch();
}

void ColorPicker::dragOnLeftButton(const host::MouseArgs& args) {
  if (args.Button == host::kLeftButton) beginMove();
}

void ColorPicker::txt_Hex_GotFocus() {
  txt_Hex->selectWholeText();
}

void ColorPicker::txt_vbcode_GotFocus() {
  txt_vbcode->selectWholeText();
}

void ColorPicker::stopTimers() {
  runTimers(false);
}

void ColorPicker::restoreTimers() {
  runTimers(ProgramFlags::SamplingOn);
}

bool ColorPicker::onTopTicked() const {
  return onTop->Value() == 1;
}
