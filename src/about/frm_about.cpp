#include "frm_about.h"

#include <array>

#include "effects/GradientForm.h"
#include "effects/RoundWindow.h"
#include "effects/cLogo.h"
#include "host/core/Convert.h"
#include "host/core/InputCodes.h"
#include "host/forms/FormData.h"
#include "host/forms/Forms.h"
#include "host/forms/Screen.h"
#include "host/platform/Platform.h"
#include "program/Palette.h"
#include "program/ProgramFlags.h"

namespace {

constexpr int kWidth = 3885;  // twips
constexpr int kHeight = 5085;
// The fade's step: 12.8 alpha levels every 20 ms, in or out in a third of a second.
constexpr int kFadeTickMs = 20;
const QString kCrLf = QStringLiteral("\r\n");

using host::ControlSpec;
using host::ControlStyle;
using host::FontSpec;
using K = host::ControlKind;

// White text on the gradient; the close label dark red.
constexpr ControlStyle kTitle{
    .font = FontSpec{"Tahoma", 9, true}, .fore = Palette::kWhite, .transparent = true};
constexpr ControlStyle kAuthors{
    .font = FontSpec{"Tahoma", 8.25, true}, .fore = Palette::kWhite, .transparent = true};
constexpr ControlStyle kHowTo{
    .font = FontSpec{"Tahoma", 6.75, true}, .fore = Palette::kWhite, .transparent = true};
constexpr ControlStyle kClose{
    .font = FontSpec{"MS Sans Serif", 8.25, true}, .fore = Palette::kDarkRed, .transparent = true};
constexpr ControlStyle kLogoStrip{.font = FontSpec{"Arial", 9, true},
                                  .fore = Palette::kWhite,
                                  .border = false,
                                  .decoration = true};

// clang-format off
constexpr std::array kControls{
    ControlSpec{"picLogo2", K::PictureBox, &kLogoStrip, {0, 0, 285, 5085}},
    ControlSpec{"Label2", K::Label, &kTitle, {630, 180, 2685, 570}},
    ControlSpec{"Label3", K::Label, &kAuthors, {615, 840, 2685, 750}},
    ControlSpec{"Label1", K::Label, &kHowTo, {480, 1785, 3120, 3150}},
    ControlSpec{"Label5", K::Label, &kClose, {3525, 105, 255, 225}, "X", "Exits Help / About"},
};
// clang-format on

}  // namespace

frm_about::frm_about(AboutOwner& owner) : host::Form(&owner.ownerWindow()), m_owner(owner) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowModality(Qt::ApplicationModal);
  setWindowTitle(QStringLiteral("  ::: Tintwell  ::: "));
  // A screen reader names the window as the "?" label's tooltip does, not by its ornate title.
  setAccessibleName(QStringLiteral("About Tintwell"));
  BackColor(Palette::kSilver);
  ForeColor(Palette::kWhite);
  Width(kWidth);
  Height(kHeight);
  buildControls({kControls}, host::FormData{});

  Label5->Click.connect([this] { unload(); });
  const auto drag = [this](const host::MouseArgs& a) { dragOnLeftButton(a); };
  for (host::Label* l : std::initializer_list<host::Label*>{Label1, Label2, Label3})
    l->MouseMove.connect(drag);
  picLogo2->MouseMove.connect(drag);
  setMouseTracking(true);

  Load.connect([this] { Form_Load(); });
  Resize.connect([this] { Form_Resize(); });
  KeyPress.connect([this](int& keyAscii) { Form_KeyPress(keyAscii); });
  QueryUnload.connect([this](bool& cancel, int mode) { Form_QueryUnload(cancel, mode); });
  Unload.connect([this] { Form_Unload(); });
  MouseMove.connect(drag);
  Timer1.Tick.connect([this] { Timer1_Timer(); });
}

frm_about::~frm_about() = default;

void frm_about::makeLayered() {
  m_layered = true;
}

void frm_about::applyAlpha(int alpha) {
  m_alpha = alpha;
  setWindowOpacity(alpha / 255.0);
}

void frm_about::DialogAction(int dlgEffectsMethod) {
  switch (dlgEffectsMethod) {
    case 1:
    case 3:
      makeLayered();
      // A layered window shows nothing until its first alpha is applied.
      applyAlpha(0);
      fadeDirection = 1;
      Timer1.Interval(kFadeTickMs);
      Timer1.Enabled(true);
      if (dlgEffectsMethod == 3) closeEffect = 2;
      break;
    case 2:
      closeEffect = 2;
      makeLayered();
      applyAlpha(255);
      break;
    default:
      break;
  }
}

void frm_about::ShowModal() {
  Show();
}

void frm_about::Form_Load() {
  m_owner.stopTimers();
  ProgramFlags::AboutOpen = true;
  if (!logo) logo = std::make_unique<cLogo>();
  logo->DrawingObject(picLogo2);
  const host::AppVersion v = host::App();
  logo->Caption(QStringLiteral("     ::: Tintwell ::: ") +
                QStringLiteral("  v %1.%2.0.%3").arg(v.Major).arg(v.Minor).arg(v.Revision));
  if (ProgramFlags::topmostAvailable()) host::SetTopmost(m_owner.ownerWindow(), false);
  GradientForm::GradientFillForm(0, Palette::kGrey, *this, 1);
  RoundWindow::RoundWindowRgn(*this, 20);
  Label2->Caption(QStringLiteral("Displays the pixel color value at the cursor") + kCrLf + kCrLf);
  Label3->Caption(QStringLiteral("Created by:") + kCrLf +
                  QStringLiteral("The Tintwell developers") + kCrLf +
                  QStringLiteral("Contact: the project tracker"));
  Label1->Caption(
      QStringLiteral("The switch On/Off option can be used with the Spacebar.") + kCrLf + kCrLf +
      QStringLiteral(" Keeping Tintwell selected, just move the mouse over the color you want to "
                     "pick.") +
      kCrLf + kCrLf + QStringLiteral(" Press the Spacebar to Switch Off Tintwell.") + kCrLf +
      kCrLf +
      QStringLiteral(" The last color value under the cursor at the time of switch off is "
                     "displayed.") +
      kCrLf + QStringLiteral(" Press Spacebar again to switch On.") + kCrLf + kCrLf +
      QStringLiteral(" Right-Click for Zoom options."));
  CenterOnScreen();
  Form_Resize();
}

void frm_about::Form_Resize() {
  if (picLogo2 == nullptr) return;
  picLogo2->resize(picLogo2->width(), host::twipsToPixels(host::roundHalfEven(ScaleHeight()),
                                                          host::Screen::TwipsPerPixelY()));
  if (logo) logo->Draw();
}

void frm_about::Timer1_Timer() {
  constexpr double kStep = 12.8;
  if (fadeDirection == 1) {
    const double x = fadeLevel + kStep;
    int alpha;
    if (x < 256) {
      fadeLevel = host::roundHalfEven(x);
      alpha = fadeLevel;
    } else {
      Timer1.Enabled(false);
      alpha = 255;
      fadeLevel = 0;
    }
    applyAlpha(alpha);
  } else if (fadeDirection == 2) {
    closeEffect = 0;
    const double x = fadeLevel + kStep;
    if (x >= 256) {
      Timer1.Enabled(false);
      fadeLevel = 0;
      unload();
      return;
    }
    fadeLevel = host::roundHalfEven(x);
    applyAlpha(256 - fadeLevel);
  }
}

void frm_about::Form_QueryUnload(bool& cancel, int mode) {
  if (closeEffect == 2 && (mode == kUnloadFromControlMenu || mode == kUnloadFromCode)) {
    fadeDirection = 2;
    cancel = true;
    Timer1.Interval(kFadeTickMs);
    Timer1.Enabled(true);
  }
}

void frm_about::Form_Unload() {
  if (m_owner.onTopTicked() && ProgramFlags::topmostAvailable()) {
    host::SetTopmost(m_owner.ownerWindow(), true);
  }
  ProgramFlags::AboutOpen = false;
  m_owner.restoreTimers();
  // The next showing starts plain again unless DialogAction asks otherwise.
  Timer1.Enabled(false);
  fadeDirection = 0;
  fadeLevel = 0;
  m_layered = false;
  applyAlpha(255);
}

void frm_about::Form_MouseMove(const host::MouseArgs& args) {
  dragOnLeftButton(args);
}

void frm_about::Form_KeyPress(int& keyAscii) {
  if (keyAscii == host::kKeyEscape) unload();
}

void frm_about::dragOnLeftButton(const host::MouseArgs& args) {
  if (args.Button == host::kLeftButton) beginMove();
}
