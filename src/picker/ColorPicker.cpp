#include "ColorPicker.h"

#include <QIcon>
#include <QString>

#include "ColorPickerLayout.h"
#include "about/cLogo.h"
#include "color/twCMYK.h"
#include "controls/button/CandyButton.h"
#include "host/CheckBox.h"
#include "host/Control.h"
#include "host/Convert.h"
#include "host/Fonts.h"
#include "host/FormData.h"
#include "host/Forms.h"
#include "host/Label.h"
#include "host/PictureBox.h"
#include "host/Screen.h"
#include "host/Shape.h"
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
    default:
      break;  // not labels
  }
}

}  // namespace

ColorPicker::ColorPicker(host::ScreenSource& screen, QWidget* parent)
    : host::Form(parent), mnuPopup(this), m_screen(screen) {
  setWindowTitle(QStringLiteral("Tintwell"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/tintwell.png")));
  BackColor(kDarkBlue);
  ForeColor(kWhite);
  Width(ColorPickerLayout::kCompactWidth);
  Height(ColorPickerLayout::kHeight);
  KeyPreview(true);
  setMouseTracking(true);
  createControls();
  buildMenu();
  wireEvents();
  Timer1.Tick.connect([this] { Timer1_Timer(); });
  Timer.Interval(10);
  Timer.Tick.connect([this] { Timer_Timer(); });
  Form_Initialize();
}

ColorPicker::~ColorPicker() = default;

QWidget* ColorPicker::createControl(const ColorPickerLayout::ControlSpec& item,
                                    const host::FormData& stored) {
  QWidget* parent = this;
  if (!item.container.empty()) parent = named<QWidget>(item.container);
  const QFont small = host::designFont(QStringLiteral("Tahoma"), 6.75);
  auto shape = [&](host::ColorRef border, int width) {
    auto* s = new host::Shape(parent);
    s->BorderColor(border);
    s->BorderWidth(width);
    s->place(item.rect);
    return s;
  };
  auto check = [&](host::ColorRef fore, double points) {
    auto* c = new host::CheckBox(parent);
    c->setFont(host::designFont(QStringLiteral("Tahoma"), points, true));
    c->BackColor(0x222222);
    c->ForeColor(fore);
    c->Caption(text(item.text));
    c->Value(1);
    return c;
  };
  switch (item.look) {
    case Look::Band: {
      host::Shape* s = shape(0x000000, 1);
      s->Filled(true);
      s->FillColor(0x222222);
      return s;
    }
    case Look::FrameGrey:
      return shape(0x404040, 1);
    case Look::FrameBlue:
      return shape(kBlue, 2);
    case Look::ZoomMarker:
      return shape(kRed, 1);
    case Look::CheckOnTop:
      return check(kLightGrey, 6.75);
    case Look::CheckSwitch:
      return check(0x00FF00, 8.25);
    case Look::TextBox: {
      auto* box = new host::TextBox(parent);
      box->setFont(small);
      box->BackColor(kLightGrey);
      box->Locked(true);
      box->Text(text(item.text));
      return box;
    }
    case Look::BarBox:
      return new host::PictureBox(parent);
    case Look::ZoomBox: {
      auto* box = new host::PictureBox(parent);
      box->BorderStyle(host::PictureBox::BorderStyleKind::None);
      box->BackColor(host::SystemColor::WindowBackground);
      return box;
    }
    case Look::LogoStrip: {
      auto* box = new host::PictureBox(parent);
      box->BorderStyle(host::PictureBox::BorderStyleKind::None);
      box->BackColor(0x808080);
      box->ForeColor(kWhite);
      box->setFont(host::designFont(QStringLiteral("Arial"), 8.25, true));
      return box;
    }
    case Look::Button: {
      auto* button = new CandyButton(parent);
      button->setObjectName(text(item.name));
      host::placeTwips(*button, item.rect);
      button->load(stored.bagFor(text(item.name)));
      return button;
    }
    default: {
      auto* label = new Label(parent);
      styleLabel(*label, item.look);
      label->Caption(text(item.text));
      return label;
    }
  }
}

void ColorPicker::createControls() {
  const host::FormData stored = host::FormData::load(QStringLiteral(":/forms/ColorPicker.txt"));
  for (const QString& problem : stored.problems()) {
    qWarning("stored form data of ColorPicker: %s", qPrintable(problem));
  }
  for (int layer = 0; layer <= 2; ++layer) {
    for (const ColorPickerLayout::ControlSpec& item : ColorPickerLayout::controls()) {
      if (ColorPickerLayout::layerOf(item.look) != layer) continue;
      QWidget* w = createControl(item, stored);
      w->setObjectName(text(item.name));
      if (!item.tooltip.empty()) w->setToolTip(text(item.tooltip));
      if (dynamic_cast<host::Shape*>(w) == nullptr) host::placeTwips(*w, item.rect);
    }
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
  lbl_about = named<Label>("lbl_about");
  lbl_Exit = named<Label>("lbl_Exit");
  Check1 = named<host::CheckBox>("Check1");
  onTop = named<host::CheckBox>("onTop");
  picLogo = named<host::PictureBox>("picLogo");
  btn_Mixer = named<CandyButton>("btn_Mixer");
  Shape1 = named<host::Shape>("Shape1");
  Shape2 = named<host::Shape>("Shape2");
  Shape3 = findChild<host::Shape*>(QStringLiteral("Shape3"));
}

template <class T>
T* ColorPicker::named(std::string_view name) const {
  T* w = findChild<T*>(text(name), Qt::FindDirectChildrenOnly);
  // Every name asked for is in the layout table; a missing one is a programming error.
  Q_ASSERT(w != nullptr);
  return w;
}
