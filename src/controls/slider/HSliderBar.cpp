// The slider's properties, its persistence through the property bag and its life.
#include "HSliderBar.h"

#include <algorithm>

#include "host/core/Convert.h"
#include "host/core/Twips.h"
#include "host/forms/AccessibleChanges.h"
#include "host/forms/Control.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Pointer.h"
#include "host/forms/Screen.h"

namespace {

// The low 16 bits of a 32-bit property, as a 16-bit field of the surface keeps them.
std::int16_t low16(std::int32_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(v)));
}

QImage loadImage(const host::PictureRef& ref) {
  const QImage image = host::readPicture(ref.path);
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The host's extent keys, in hundredths of a millimetre, as pixels on this screen.
int extentToPixels(std::int32_t hundredthsMm, double twipsPerPixel) {
  return host::roundHalfEven(hundredthsMm * (host::kTwipsPerInch / 2540.0) / twipsPerPixel);
}

}  // namespace

HSliderBar::HSliderBar(QWidget* parent)
    : host::UserControl(parent), m_Cue(new host::PictureBox(this)) {
  setMouseTracking(true);
  // A click takes the focus, as a control of the runtime does, though no key does anything
  // here: a text box clicked afterwards gets the focus again and selects its text.
  setFocusPolicy(Qt::ClickFocus);
  // The cue box at its laid-out place: hidden, borderless, dark red; every paint places it.
  m_Cue->BorderStyle(host::PictureBox::BorderStyleKind::None);
  m_Cue->BackColor(0x0000C0);
  m_Cue->hide();
  setCueGeometry(m_cue);

  m_windowUnderPointer = [] { return host::WindowFromPoint(host::pointerPosition()); };

  Input.MouseDown.connect([this](const host::MouseArgs& a) { UserControl_MouseDown(a); });
  Input.MouseMove.connect([this](const host::MouseArgs& a) { UserControl_MouseMove(a); });
  Input.MouseUp.connect([this](const host::MouseArgs& a) { UserControl_MouseUp(a); });
  m_Cue->MouseDown.connect([this](const host::MouseArgs& a) { Cue_MouseDown(a); });
  m_Cue->MouseMove.connect([this](const host::MouseArgs& a) { Cue_MouseMove(a); });
  m_Cue->MouseUp.connect([this](const host::MouseArgs& a) { Cue_MouseUp(a); });

  // On from the start: its first tick paints the Normal look unless the pointer is over the
  // control, and switches it off.
  m_tmrTestState.Interval(10);
  m_tmrTestState.Tick.connect([this] { tmrTestState_Timer(); });
  m_tmrTestState.Enabled(true);
}

HSliderBar::~HSliderBar() = default;

void HSliderBar::BorderStyle(std::int32_t New_val) {
  m_BorderStyle = low16(New_val);
  setCueGeometry(m_cue);  // the inner area moved
  update();
  PropertyChanged(QStringLiteral("BorderStyle"));
}

std::int32_t HSliderBar::CueHeight() const {
  return host::roundHalfEven(m_cue.height);
}

void HSliderBar::CueHeight(std::int32_t New_val) {
  CueGeometry g = m_cue;
  g.height = static_cast<float>(New_val);
  setCueGeometry(g);
  PropertyChanged(QStringLiteral("CueHeight"));
}

std::int32_t HSliderBar::CueWidth() const {
  return host::roundHalfEven(m_cue.width);
}

void HSliderBar::CueWidth(std::int32_t New_val) {
  CueGeometry g = m_cue;
  g.width = static_cast<float>(New_val);
  setCueGeometry(g);
  PropertyChanged(QStringLiteral("CueWidth"));
}

void HSliderBar::Style(std::int32_t New_val) {
  m_Style = New_val;
  PropertyChanged(QStringLiteral("Style"));
}

void HSliderBar::AutoCue(std::int32_t New_val) {
  m_AutoCue = New_val;
  PropertyChanged(QStringLiteral("AutoCue"));
}

void HSliderBar::setPicture(Pic& field, const host::PictureRef& ref, const char* notifyName) {
  field = Pic{ref, loadImage(ref)};
  PaintSlider();
  PropertyChanged(QString::fromLatin1(notifyName));
}

void HSliderBar::Picture(const host::PictureRef& NewPic) {
  setPicture(m_Picture, NewPic, "Picture");
}
void HSliderBar::PictureOver(const host::PictureRef& NewPic) {
  setPicture(m_PictureOver, NewPic, "PictureOver");
}
void HSliderBar::PictureCue(const host::PictureRef& NewPic) {
  setPicture(m_PictureCue, NewPic, "PictureCue");
}
void HSliderBar::PictureCueDown(const host::PictureRef& NewPic) {
  setPicture(m_PictureCueDown, NewPic, "PictureCueDown");
}
void HSliderBar::PictureCueOver(const host::PictureRef& NewPic) {
  setPicture(m_PictureCueOver, NewPic, "PictureCueOver");
}

void HSliderBar::Max(std::int32_t lngValueMax) {
  if (lngValueMax != m_Min) m_Max = lngValueMax;
  PropertyChanged(QStringLiteral("Max"));
}

void HSliderBar::Min(std::int32_t lngValueMin) {
  if (lngValueMin != m_Max) m_Min = lngValueMin;
  PropertyChanged(QStringLiteral("Min"));
}

void HSliderBar::value(std::int32_t lngCurrentValue) {
  const std::int32_t before = m_Value;
  if (SliderModel::accepts(m_Min, m_Max, lngCurrentValue)) m_Value = lngCurrentValue;
  PaintSlider();
  PropertyChanged(QStringLiteral("Value"));
  if (m_Value != before) host::accessibility::valueChanged(*this, m_Value);
}

host::UserControl::AccessibleView HSliderBar::accessibleView() const {
  AccessibleView v;
  v.role = QAccessible::Slider;
  v.value = AccessibleView::Range{std::min(m_Min, m_Max), std::max(m_Min, m_Max), m_Value};
  return v;
}

void HSliderBar::accessibleSetValue(int v) {
  if (!isEnabled() || !SliderModel::accepts(m_Min, m_Max, v)) return;
  m_Value = v;
  Change.raise(m_Value);
  PaintSlider();
  host::accessibility::valueChanged(*this, m_Value);
}

bool HSliderBar::Enabled() const {
  // The surface's own state, whatever its container's.
  return !testAttribute(Qt::WA_ForceDisabled);
}

void HSliderBar::Enabled(bool New_Enabled) {
  setEnabled(New_Enabled);
  PropertyChanged(QStringLiteral("Enabled"));
}

host::ColorRef HSliderBar::ForeColor() const {
  return m_Cue->BackColor();
}

void HSliderBar::ForeColor(host::ColorRef NewValue) {
  m_Cue->BackColor(NewValue);
  // A new background clears the box; the picture it carries stays in front of it.
  const QImage picture = m_cueBoxPicture;
  m_cueBoxPicture = QImage();
  setCueBoxPicture(picture);
}

void HSliderBar::MousePointer(std::int32_t NewValue) {
  m_MousePointer = low16(NewValue);
  applyPointer();
  PropertyChanged(QStringLiteral("MousePointer"));
}

void HSliderBar::MouseIcon(const host::PictureRef& Img) {
  m_MouseIcon = Pic{Img, loadImage(Img)};
  applyPointer();
  PropertyChanged(QStringLiteral("MouseIcon"));
}

void HSliderBar::applyPointer() {
  // The custom pointer is the icon where there is one.
  host::UserControl::MousePointer(m_MousePointer, m_MouseIcon.image);
}

void HSliderBar::Refresh() {
  PaintSlider();
}

int HSliderBar::borderWidth() const {
  return m_BorderStyle == 1 ? host::bevelWidth(host::Bevel::Box) : 0;
}

int HSliderBar::innerWidth() const {
  return std::max(0, width() - 2 * borderWidth());
}

int HSliderBar::innerHeight() const {
  return std::max(0, height() - 2 * borderWidth());
}

void HSliderBar::setCueGeometry(const CueGeometry& g) {
  m_cue = g;
  // The box's own limits: no negative size.
  m_cue.width = std::max(m_cue.width, 0.0f);
  m_cue.height = std::max(m_cue.height, 0.0f);
  const auto px = [](float v) {
    return std::clamp(host::roundHalfEven(v), -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  };
  const int b = borderWidth();
  m_Cue->setGeometry(b + px(m_cue.left), b + px(m_cue.top), px(m_cue.width), px(m_cue.height));
}

void HSliderBar::InitProperties() {
  m_Min = 0;
  m_Max = 100;
  m_Value = 0;
  for (Pic* p : {&m_Picture, &m_PictureOver, &m_PictureCue, &m_PictureCueDown, &m_PictureCueOver})
    *p = Pic{};
}

void HSliderBar::ReadProperties(const host::PropertyBag& bag) {
  // The host's own keys first: a stored instance is as large as its extent when its keys are
  // read (the cue's default height is the inner height then). An unreadable extent leaves the
  // size as it is.
  const std::int32_t extentX = bag.readLong(QStringLiteral("_extentx"), -1);
  const std::int32_t extentY = bag.readLong(QStringLiteral("_extenty"), -1);
  if (extentX > 0 && extentY > 0) {
    resize(extentToPixels(extentX, host::Screen::TwipsPerPixelX()),
           extentToPixels(extentY, host::Screen::TwipsPerPixelY()));
  }
  const auto picture = [&bag](const char* key, const host::PictureRef& def = {}) {
    const host::PictureRef ref = bag.readPicture(QString::fromLatin1(key), def);
    Pic pic{ref, loadImage(ref)};
    if (pic.image.isNull() && !ref.path.isEmpty()) {
      bag.noteProblem(QStringLiteral("property \"%1\": cannot read the picture %2; none used")
                          .arg(QLatin1String(key), ref.path));
    }
    return pic;
  };
  m_Max = bag.readLong(QStringLiteral("Max"), 100);
  m_Min = bag.readLong(QStringLiteral("Min"), 0);
  m_Value = bag.readLong(QStringLiteral("Value"), 0);  // as stored, unchecked
  m_BackColor = static_cast<host::ColorRef>(bag.readLong(QStringLiteral("BackColor"), 1));
  m_BorderStyle = bag.readInteger(QStringLiteral("BorderStyle"), 1);
  setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
  m_Style = bag.readLong(QStringLiteral("Style"), 0);
  m_AutoCue = bag.readLong(QStringLiteral("AutoCue"), 0);
  CueGeometry g = m_cue;
  g.height = bag.readSingle(QStringLiteral("CueHeight"), static_cast<float>(innerHeight()));
  g.width = bag.readSingle(QStringLiteral("CueWidth"), 50.0f);
  setCueGeometry(g);
  m_Picture = picture("Picture");
  m_PictureOver = picture("PictureOver");
  m_PictureCue = picture("PictureCue");
  m_PictureCueDown = picture("PictureCueDown");
  m_PictureCueOver = picture("PictureCueOver");
  ForeColor(static_cast<host::ColorRef>(bag.readLong(QStringLiteral("ForeColor"), 255)));
  m_MousePointer = bag.readInteger(QStringLiteral("MousePointer"), 0);
  m_MouseIcon = picture("MouseIcon", m_MouseIcon.ref);  // absent: the current icon
  applyPointer();
  PaintSlider();
}

void HSliderBar::WriteProperties(host::PropertyBag& bag) const {
  // "BackColor" and "ForeColor" are written with the defaults they are read with, so that every
  // color comes back as it was saved (a different write default would drop a color equal to it
  // and load the read default instead).
  bag.WriteProperty(QStringLiteral("Max"), m_Max, std::int32_t{100});
  bag.WriteProperty(QStringLiteral("Min"), m_Min, std::int32_t{0});
  bag.WriteProperty(QStringLiteral("Value"), m_Value, std::int32_t{0});
  bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
  bag.WriteProperty(QStringLiteral("BackColor"), static_cast<std::int32_t>(m_BackColor),
                    std::int32_t{1});
  bag.WriteProperty(QStringLiteral("BorderStyle"), m_BorderStyle, std::int16_t{1});
  bag.WriteProperty(QStringLiteral("Style"), m_Style, std::int32_t{0});
  bag.WriteProperty(QStringLiteral("AutoCue"), m_AutoCue, std::int32_t{0});
  bag.WriteProperty(QStringLiteral("CueWidth"), m_cue.width);
  bag.WriteProperty(QStringLiteral("CueHeight"), m_cue.height);
  bag.WriteProperty(QStringLiteral("Picture"), m_Picture.ref);
  bag.WriteProperty(QStringLiteral("PictureOver"), m_PictureOver.ref);
  bag.WriteProperty(QStringLiteral("PictureCue"), m_PictureCue.ref);
  bag.WriteProperty(QStringLiteral("PictureCueDown"), m_PictureCueDown.ref);
  bag.WriteProperty(QStringLiteral("PictureCueOver"), m_PictureCueOver.ref);
  bag.WriteProperty(QStringLiteral("ForeColor"), static_cast<std::int32_t>(ForeColor()),
                    std::int32_t{255});
  bag.WriteProperty(QStringLiteral("MousePointer"), m_MousePointer, std::int16_t{0});
  bag.WriteProperty(QStringLiteral("MouseIcon"), m_MouseIcon.ref);
}

void HSliderBar::resizeEvent(QResizeEvent* event) {
  host::UserControl::resizeEvent(event);
  host::runEventHandler("HSliderBar.Resize", [this] { UserControl_Resize(); });
}

void HSliderBar::UserControl_Resize() {
  coverNewSurface();
  if (static_cast<float>(innerWidth()) - m_cue.width != 0) {
    // With equal bounds there is no unit width to work out; the painter runs all the same.
    if (const auto unit =
            SliderModel::unitWidth(innerWidth(), static_cast<double>(m_cue.width), m_Min, m_Max)) {
      m_UnitWidth = *unit;
    }
    Refresh();
  }
}
