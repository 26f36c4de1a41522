#include "CandyButton.h"

#include <QFontMetrics>
#include <QPainter>

#include "host/draw/Canvas.h"
#include "host/draw/SystemColors.h"
#include "host/forms/AccessibleChanges.h"
#include "host/forms/Forms.h"

namespace {
constexpr host::ColorRef kDefaultHighLite = 65280;  // 0x00FF00
}  // namespace

const std::array<CandyButton::Scheme, 15>& CandyButton::schemes() {
  static const std::array<Scheme, 15> kSchemes{{
      {0xD06720, 0xE99950, 0xA06710, 0xFFEDB0},
      {0xD09060, 0xE06000, 0xA98050, 0xFFFAFA},
      {0x800000, 0xA00000, 0xF00000, 0xFF0000},
      {0x000080, 0x0000A0, 0x0000F0, 0x0000FF},
      {0x008000, 0x00A000, 0x00C000, 0x00FF00},
      {0x008080, 0x00A0A0, 0x00C0C0, 0x00FFFF},
      {0x000080, 0x0000A0, 0x0000F0, 0x0253E8},
      {0x0040C0, 0x0080FF, 0x004080, 0x0080FF},
      {0x808080, 0xA1A1A1, 0xC0C000, 0xFFFAFA},
      {0x000000, 0x000000, 0x808080, 0x404040},
      {0x404000, 0xA06710, 0xA06710, 0xFFFF00},
      {0x967B4E, 0xA06710, 0x808080, 0x404040},
      {0x400000, 0xA00000, 0xF00000, 0xFF0000},
      {0x400000, 0xA00000, 0xF00000, 0x7C4801},
      {0xB86A01, 0xC2AD89, 0xF00000, 0x4F3100},
  }};
  return kSchemes;
}

CandyButton::CandyButton(QWidget* parent) : host::UserControl(parent) {
  // Tab reaches the button, and a click on it takes the focus.
  setFocusPolicy(Qt::StrongFocus);
  Input.MouseDown.connect([this](const host::MouseArgs& a) {
    UserControl_MouseDown(static_cast<std::int16_t>(a.Button), static_cast<std::int16_t>(a.Shift),
                          static_cast<float>(a.X), static_cast<float>(a.Y));
  });
  Input.MouseMove.connect([this](const host::MouseArgs& a) {
    UserControl_MouseMove(static_cast<std::int16_t>(a.Button), static_cast<std::int16_t>(a.Shift),
                          static_cast<float>(a.X), static_cast<float>(a.Y));
  });
  Input.MouseUp.connect([this](const host::MouseArgs& a) {
    UserControl_MouseUp(static_cast<std::int16_t>(a.Button), static_cast<std::int16_t>(a.Shift),
                        static_cast<float>(a.X), static_cast<float>(a.Y));
  });
  Input.Click.connect([this] { UserControl_Click(); });
  Input.DblClick.connect([this] { UserControl_DblClick(); });
  Input.KeyDown.connect([this](int& keyCode, int shift) { UserControl_KeyDown(keyCode, shift); });
  Input.KeyUp.connect([this](int& keyCode, int shift) { UserControl_KeyUp(keyCode, shift); });
  Input.EnterFocus.connect([this] { UserControl_EnterFocus(); });
  Input.ExitFocus.connect([this] { UserControl_ExitFocus(); });
}

std::int32_t CandyButton::Clamp(std::int32_t value, std::int32_t min, std::int32_t max) {
  if (value < min) return min;
  if (value <= max) return value;
  return max;
}

void CandyButton::GetRGB(std::int32_t& R, std::int32_t& G, std::int32_t& b, host::ColorRef color) {
  const host::ColorRef v = host::translateColor(color, 0);
  R = static_cast<std::int32_t>(v & 0xFF);
  G = static_cast<std::int32_t>((v >> 8) & 0xFF);
  b = static_cast<std::int32_t>((v >> 16) & 0xFF);
}

host::ColorRef CandyButton::BlendColors(host::ColorRef color1, host::ColorRef color2,
                                        std::int32_t& percentage) {
  percentage = Clamp(percentage, 0, 100);
  std::int32_t r1, g1, b1, r2, g2, b2;
  GetRGB(r1, g1, b1, color1);
  GetRGB(r2, g2, b2, color2);
  const std::int32_t r = r1 + (r2 - r1) * percentage / 100;
  const std::int32_t g = g1 + (g2 - g1) * percentage / 100;
  const std::int32_t b = b1 + (b2 - b1) * percentage / 100;
  return host::RGB(r, g, b);
}

bool CandyButton::Enabled() const {
  // Reading Enabled also asks the window to repaint itself.
  const_cast<CandyButton*>(this)->update();
  return m_Enabled;
}

void CandyButton::Enabled(bool value) {
  // The button's own flag: its window stays enabled, so the pointer entering and leaving still
  // reach it (a disabled button shows hover in its disabled colors).
  const bool changed = value != m_Enabled;
  m_Enabled = value;
  PropertyChanged(QStringLiteral("Enabled"));
  if (changed) {
    QAccessible::State disabled;
    disabled.disabled = true;
    host::accessibility::stateChanged(*this, disabled);
  }
  host::runEventHandler("CandyButton.Enabled", [this] { Redraw(Normal); });
}

void CandyButton::ColorScheme(std::int32_t value) {
  if (value >= 1 && value <= 15) {
    const Scheme& p = schemes()[static_cast<std::size_t>(value - 1)];
    if (value <= 13) {
      ColorButtonUp(p.up);
      ColorButtonHover(p.hover);
      ColorButtonDown(p.down);
      ColorBright(p.bright);
    } else {
      ColorBright(p.bright);
      ColorButtonDown(p.down);
      ColorButtonHover(p.hover);
      ColorButtonUp(p.up);
    }
  }
  m_ColorScheme = value;
  PropertyChanged(QStringLiteral("m_ColorScheme"));
  Redraw(Normal);
}

void CandyButton::BorderBrightness(std::int32_t value) {
  m_BorderBrightness = Clamp(value, -100, 100);
  PropertyChanged(QStringLiteral("m_BorderBrightness"));
  Redraw(Normal);
}

void CandyButton::IconHighLite(bool value) {
  m_IconHighLite = value;
  PropertyChanged(QStringLiteral("IconHighLite"));
}

void CandyButton::IconHighLiteColor(host::ColorRef value) {
  m_IconHighLiteColor = value;
  PropertyChanged(QStringLiteral("IconHighLiteColor"));
}

void CandyButton::CaptionHighLite(bool value) {
  m_CaptionHighLite = value;
  PropertyChanged(QStringLiteral("CaptionHighLite"));
}

void CandyButton::CaptionHighLiteColor(host::ColorRef value) {
  m_CaptionHighLiteColor = value;
  PropertyChanged(QStringLiteral("CaptionHighLiteColor"));
}

void CandyButton::setFaceColor(host::ColorRef& field, host::ColorRef value,
                               const char* notifyName) {
  field = value;
  // A hand-set color turns a preset palette into a custom one.
  if (m_ColorScheme != 0) {
    m_ColorScheme = 0;
    PropertyChanged(QStringLiteral("m_ColorScheme"));
  }
  PropertyChanged(QString::fromLatin1(notifyName));
  Redraw(Normal);
}

void CandyButton::ColorBright(host::ColorRef value) {
  setFaceColor(m_ColorBright, value, "m_ColorBright");
}
void CandyButton::ColorButtonDown(host::ColorRef value) {
  setFaceColor(m_ColorButtonDown, value, "m_ColorButtonDown");
}
void CandyButton::ColorButtonUp(host::ColorRef value) {
  setFaceColor(m_ColorButtonUp, value, "m_ColorButtonUp");
}
void CandyButton::ColorButtonHover(host::ColorRef value) {
  setFaceColor(m_ColorButtonHover, value, "m_ColorButtonHover");
}

void CandyButton::ForeColor(host::ColorRef value) {
  m_ForeColor = value;
  drawColor(value);
  PropertyChanged(QStringLiteral("ForeColor"));
  Redraw(Normal);
}

void CandyButton::Picture(const host::PictureRef& value) {
  m_Picture = value;
  m_PictureImage = host::readPicture(value.path);
  PropertyChanged(QStringLiteral("Picture"));
  Redraw(Normal);
}

void CandyButton::Checked(bool value) {
  if (value != m_Checked) {
    m_Checked = value;
    QAccessible::State checked;
    checked.checked = true;
    host::accessibility::stateChanged(*this, checked);
  }
  if (value) {
    Redraw(Checked_);
  } else if (m_MouseInside) {
    Redraw(Hot);
  } else {
    Redraw(Normal);
  }
  PropertyChanged(QStringLiteral("Checked"));
}

void CandyButton::Style(std::int32_t value) {
  if (value == m_Style) return;
  m_Style = value;
  PropertyChanged(QStringLiteral("Style"));
  UpdateShape();
  Redraw(Normal);
}

void CandyButton::PictureAlignment(std::int32_t value) {
  if (value == m_PictureAlignment) return;
  m_PictureAlignment = value;
  PropertyChanged(QStringLiteral("PictureAlignment"));
  Redraw(Normal);
}

void CandyButton::Caption(const QString& value) {
  const bool changed = value != m_Caption;
  m_Caption = value;
  PropertyChanged(QStringLiteral("Caption"));
  if (changed && accessibleName().isEmpty()) host::accessibility::nameChanged(*this);
  Redraw(Normal);
}

void CandyButton::Font(const QFont& value) {
  setFont(value);
  PropertyChanged(QStringLiteral("Font"));
  Redraw(Normal);
}

void CandyButton::InitProperties() {
  if (!UserMode()) {
    m_ColorButtonUp = 0xE99950;
    m_ColorButtonDown = 0xE99950;
    m_ColorButtonHover = 0xFFC090;
    m_ColorBright = 0xFFEDB0;
    m_Enabled = true;
  }
  m_Caption = Name();
  UpdateShape();
  m_Ready = true;
}

void CandyButton::WriteProperties(host::PropertyBag& bag) const {
  const QString noCaption;  // the caption's default on both sides: no text
  bag.WriteProperty(QStringLiteral("Enabled"), m_Enabled, true);
  bag.WriteProperty(QStringLiteral("Font"), host::fromQFont(font()),
                    host::fromQFont(AmbientFont()));
  bag.WriteProperty(QStringLiteral("Caption"), m_Caption, noCaption);
  bag.WriteProperty(QStringLiteral("IconHighLite"), m_IconHighLite, false);
  bag.WriteProperty(QStringLiteral("IconHighLiteColor"),
                    static_cast<std::int32_t>(m_IconHighLiteColor),
                    static_cast<std::int32_t>(kDefaultHighLite));
  bag.WriteProperty(QStringLiteral("CaptionHighLite"), m_CaptionHighLite, false);
  bag.WriteProperty(QStringLiteral("CaptionHighLiteColor"),
                    static_cast<std::int32_t>(m_CaptionHighLiteColor),
                    static_cast<std::int32_t>(kDefaultHighLite));
  bag.WriteProperty(QStringLiteral("ForeColor"), static_cast<std::int32_t>(m_ForeColor),
                    std::int32_t{0});
  bag.WriteProperty(QStringLiteral("Picture"), m_Picture, host::PictureRef{});
  bag.WriteProperty(QStringLiteral("PictureAlignment"), m_PictureAlignment, std::int32_t{0});
  bag.WriteProperty(QStringLiteral("Style"), static_cast<std::int16_t>(m_Style), std::int16_t{0});
  bag.WriteProperty(QStringLiteral("Checked"), m_Checked);
  bag.WriteProperty(QStringLiteral("ColorButtonHover"),
                    static_cast<std::int32_t>(m_ColorButtonHover));
  bag.WriteProperty(QStringLiteral("ColorButtonUp"), static_cast<std::int32_t>(m_ColorButtonUp));
  bag.WriteProperty(QStringLiteral("ColorButtonDown"),
                    static_cast<std::int32_t>(m_ColorButtonDown));
  bag.WriteProperty(QStringLiteral("BorderBrightness"), m_BorderBrightness);
  bag.WriteProperty(QStringLiteral("ColorBright"), static_cast<std::int32_t>(m_ColorBright));
  bag.WriteProperty(QStringLiteral("DisplayHand"), m_DisplayHand);
  bag.WriteProperty(QStringLiteral("ColorScheme"), m_ColorScheme);
}

void CandyButton::ReadProperties(const host::PropertyBag& bag) {
  auto color = [&bag](const char* key, host::ColorRef def) {
    return static_cast<host::ColorRef>(
        bag.readLong(QString::fromLatin1(key), static_cast<std::int32_t>(def)));
  };
  m_Enabled = bag.readBool(QStringLiteral("Enabled"), true);
  setFont(host::toQFont(bag.readFont(QStringLiteral("Font"), host::fromQFont(AmbientFont()))));
  m_Caption = bag.readText(QStringLiteral("Caption"), QString());
  m_CaptionHighLite = bag.readBool(QStringLiteral("CaptionHighLite"), false);
  m_CaptionHighLiteColor = color("CaptionHighLiteColor", kDefaultHighLite);
  m_IconHighLite = bag.readBool(QStringLiteral("IconHighLite"), false);
  m_IconHighLiteColor = color("IconHighLiteColor", kDefaultHighLite);
  m_ForeColor = color("ForeColor", 0);
  m_Picture = bag.readPicture(QStringLiteral("Picture"), host::PictureRef{});
  m_PictureImage = host::readPicture(m_Picture.path);
  if (m_PictureImage.isNull() && !m_Picture.path.isEmpty()) {
    bag.noteProblem(QStringLiteral("property \"Picture\": cannot read the picture %1; none used")
                        .arg(m_Picture.path));
  }
  m_PictureAlignment = bag.readLong(QStringLiteral("PictureAlignment"), 0);
  m_Style = bag.readLong(QStringLiteral("Style"), 0);
  m_Checked = bag.readBool(QStringLiteral("Checked"), m_Checked);
  m_ColorButtonHover = color("ColorButtonHover", 0xFFC090);
  m_ColorButtonUp = color("ColorButtonUp", 0xE99950);
  m_ColorButtonDown = color("ColorButtonDown", 0xE99950);
  m_ColorBright = color("ColorBright", 0xFFEDB0);
  m_BorderBrightness = bag.readLong(QStringLiteral("BorderBrightness"), 0);
  m_DisplayHand = bag.readBool(QStringLiteral("DisplayHand"), false);
  m_ColorScheme = bag.readLong(QStringLiteral("ColorScheme"), 0);
  MousePointer(m_DisplayHand ? kCustomPointer : kArrowPointer);
  drawColor(m_ForeColor);
  UpdateShape();
  m_Ready = true;
  if (UserMode()) setUpInput();
}

void CandyButton::resizeEvent(QResizeEvent* event) {
  host::UserControl::resizeEvent(event);
  UpdateShape();
  Redraw(Normal);
}

void CandyButton::showEvent(QShowEvent* event) {
  host::UserControl::showEvent(event);
  Redraw(Normal);
}
