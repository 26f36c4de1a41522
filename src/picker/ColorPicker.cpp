#include "ColorPicker.h"

#include <QString>

#include "ColorPickerLayout.h"
#include "color/twCMYK.h"
#include "effects/AlphaAnim.h"
#include "effects/GradientForm.h"
#include "effects/RoundWindow.h"
#include "host/Control.h"
#include "host/Convert.h"
#include "host/Fonts.h"
#include "host/Label.h"
#include "host/PictureBox.h"
#include "host/Screen.h"
#include "host/TextBox.h"
#include "zoom/CZoom.h"

namespace {

using host::Label;
using Look = ColorPickerLayout::Look;

constexpr host::ColorRef kYellow = 0x00FFFF;
constexpr host::ColorRef kCyan = 0xFFFF00;
constexpr host::ColorRef kWhite = 0xFFFFFF;
constexpr host::ColorRef kLightGrey = 0xE0E0E0;
constexpr host::ColorRef kRed = 0x0000FF;
constexpr host::ColorRef kBlue = 0xFF0000;
constexpr host::ColorRef kDarkBlue = 0x800000;
// The right-hand end of the window's background gradient: red 3, green 24, blue 211.
constexpr host::ColorRef kGradientBlue = 0xD31803;

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void styleLabel(Label& l, Look look) {
  const QFont small = host::designFont(QStringLiteral("Tahoma"), 6.75);
  const QFont smallBold = host::designFont(QStringLiteral("Tahoma"), 6.75, true);
  auto caption = [&](host::ColorRef fore, Label::AlignmentKind align) {
    l.setFont(smallBold);
    l.BackStyle(Label::BackStyleKind::Transparent);
    l.ForeColor(fore);
    l.Alignment(align);
  };
  auto readout = [&] {
    l.setFont(small);
    l.BackColor(kLightGrey);
    l.ForeColor(host::SystemColor::WindowText);
    l.BorderStyle(Label::BorderStyleKind::FixedSingle);
    l.Alignment(Label::AlignmentKind::Center);
  };
  switch (look) {
    case Look::GroupTitle:
      caption(kYellow, Label::AlignmentKind::Center);
      break;
    case Look::GroupTitleLeft:
      caption(kYellow, Label::AlignmentKind::LeftJustify);
      break;
    case Look::RowCaption:
      caption(kCyan, Label::AlignmentKind::RightJustify);
      break;
    case Look::CaptionLeft:
      caption(kCyan, Label::AlignmentKind::LeftJustify);
      break;
    case Look::Percent:
      caption(kWhite, Label::AlignmentKind::LeftJustify);
      break;
    case Look::HexCaption:
      caption(kWhite, Label::AlignmentKind::RightJustify);
      l.setFont(host::designFont(QStringLiteral("Tahoma"), 8.25, true));
      break;
    case Look::Readout:
      readout();
      break;
    case Look::ReadoutTransparent:
      readout();
      l.BackStyle(Label::BackStyleKind::Transparent);
      l.ForeColor(kLightGrey);
      break;
    case Look::Swatch:
      l.BorderStyle(Label::BorderStyleKind::FixedSingle);
      l.BackColor(0);
      break;
    case Look::AboutLink:
      readout();
      l.setFont(smallBold);
      l.ForeColor(kBlue);
      break;
    case Look::ExitLink:
      l.setFont(host::designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
      l.BackColor(kRed);
      l.ForeColor(kLightGrey);
      l.BorderStyle(Label::BorderStyleKind::FixedSingle);
      break;
    case Look::TextBox:
    case Look::BarBox:
    case Look::ZoomBox:
      break;
  }
}

}  // namespace

ColorPicker::ColorPicker(host::ScreenSource& screen, QWidget* parent)
    : host::Form(parent), m_screen(screen) {
  setWindowTitle(QStringLiteral("Tintwell"));
  BackColor(kDarkBlue);
  ForeColor(kWhite);
  Width(ColorPickerLayout::kCompactWidth);
  Height(ColorPickerLayout::kHeight);
  createControls();
  Timer1.onTimer([this] { Timer1_Timer(); });
  Timer.Interval(10);
  Timer.onTimer([this] { Timer_Timer(); });
}

ColorPicker::~ColorPicker() = default;

void ColorPicker::createControls() {
  for (const ColorPickerLayout::ControlSpec& item : ColorPickerLayout::controls()) {
    QWidget* w = nullptr;
    if (item.look == Look::TextBox) {
      auto* box = new host::TextBox(this);
      box->setFont(host::designFont(QStringLiteral("Tahoma"), 6.75));
      box->BackColor(kLightGrey);
      box->Locked(true);
      box->Text(text(item.text));
      w = box;
    } else if (item.look == Look::BarBox) {
      w = new host::PictureBox(this);
    } else if (item.look == Look::ZoomBox) {
      auto* box = new host::PictureBox(this);
      box->BorderStyle(host::PictureBox::BorderStyleKind::None);
      box->BackColor(host::SystemColor::WindowBackground);
      w = box;
    } else {
      auto* label = new Label(this);
      styleLabel(*label, item.look);
      label->Caption(text(item.text));
      w = label;
    }
    w->setObjectName(text(item.name));
    w->setToolTip(text(item.tooltip));
    host::placeTwips(*w, item.rect);
  }
  lbl_mouse = named<Label>("lbl_mouse");
  lbl_color = named<Label>("lbl_color");
  lbl_red = named<Label>("lbl_red");
  lbl_green = named<Label>("lbl_green");
  lbl_blue = named<Label>("lbl_blue");
  txt_Hex = named<host::TextBox>("txt_Hex");
  txt_vbcode = named<host::TextBox>("txt_vbcode");
  lbl_Hue = named<Label>("lbl_Hue");
  lbl_Lum = named<Label>("lbl_Lum");
  lbl_Sat = named<Label>("lbl_Sat");
  lbl_gryR = named<Label>("lbl_gryR");
  lbl_gryG = named<Label>("lbl_gryG");
  lbl_gryB = named<Label>("lbl_gryB");
  lbl_Grey = named<Label>("lbl_Grey");
  lbl_C = named<Label>("lbl_C");
  lbl_M = named<Label>("lbl_M");
  lbl_Y = named<Label>("lbl_Y");
  lbl_K = named<Label>("lbl_K");
  Picture1 = named<host::PictureBox>("Picture1");
  Picture2 = named<host::PictureBox>("Picture2");
  Picture3 = named<host::PictureBox>("Picture3");
  Picture4 = named<host::PictureBox>("Picture4");
  Picture5 = named<host::PictureBox>("Picture5");
  Picture6 = named<host::PictureBox>("Picture6");
  Picture7 = named<host::PictureBox>("Picture7");
  Pic_zoom = named<host::PictureBox>("Pic_zoom");
  lbl_zoom_size = named<Label>("lbl_zoom_size");
}

template <class T>
T* ColorPicker::named(std::string_view name) const {
  T* w = findChild<T*>(text(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT(w != nullptr);
  return w;
}

void ColorPicker::Form_Load() {
  Width(ColorPickerLayout::kCompactWidth);
  Height(ColorPickerLayout::kHeight);
  m_cmyk = std::make_unique<twCMYK>();
  m_cmyk->RGB(0);
  Pic_zoom->ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  m_zoom = std::make_unique<CZoom>(m_screen);
  m_zoom->ZoomFactor(5);
  Timer1.Interval(100);
  RoundWindow::RoundWindowRgn(*this, 7);
  GradientForm::GradientFillForm(0, kGradientBlue, *this, 0);
  // Centred on the primary screen, in twips.
  Move(host::roundHalfEven(host::Screen::Width() / 2.0 - Width() / 2.0),
       host::roundHalfEven(host::Screen::Height() / 2.0 - Height() / 2.0));
  AlphaAnim::AnimateForm(*this, 25, 1, "in");
  Timer.Enabled(true);
  Timer1.Enabled(true);
}

void ColorPicker::Timer_Timer() {
  if (m_zoom) m_zoom->ZoomCanvas(*Pic_zoom);
}
