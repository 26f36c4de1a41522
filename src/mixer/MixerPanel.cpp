// The mixer panel: opening and closing it, showing the mixed color in every control, the four
// sliders, the swatch's color-match window and the texts' selection.
#include "MixerPanel.h"

#include <QString>

#include "MixerLayout.h"
#include "MixerModel.h"
#include "color/ColorText.h"
#include "frmColor.h"
#include "host/forms/Control.h"

namespace {
const QString kOpenCaption = QStringLiteral("ColorMixer »»»");  // shown while the panel is closed
const QString kCloseCaption = QStringLiteral("««« ColorMixer");
}  // namespace

MixerPanel::MixerPanel(MixerOwner& owner) : m_owner(owner), m_window(owner.mixerWindow()) {
  for (std::size_t i = 0; i < hsbRGB.size(); ++i) {
    hsbRGB[i]->Change.connect(
        [this, i](std::int32_t& value) { hsbRGB_Change(static_cast<int>(i), value); });
  }
  hsbShade->Change.connect([this](std::int32_t& value) { hsbShade_Change(value); });
  lblColorBox->MouseDown.connect([this](const host::MouseArgs&) { lblColorBox_MouseDown(); });
  txtColorHtml->GotFocus.connect([this] { txtColorHtml->selectWholeText(); });
  txtColorVB->GotFocus.connect([this] { txtColorVB->selectWholeText(); });
  // Every box's edit menu copies the mixed color, in whatever notation.
  const auto copyItems = [this](QMenu& menu) { m_owner.addCopyItems(menu, mixColor); };
  for (host::TextBox* box : txtRGB)
    box->ContextMenu.connect(copyItems);
  for (host::TextBox* box : {txtColorHtml.get(), txtColorVB.get()})
    box->ContextMenu.connect(copyItems);
  // For a screen reader: the swatch takes its frame's caption ("Color"); the shade slider, which
  // has a caption at each end, both.
  lblColorBox->setAccessibleName(fraColor->Caption());
  hsbShade->setAccessibleName(fraShade->Caption() + QStringLiteral(" / ") +
                              lblLighter->Caption().trimmed());
  showPanel(false);
}

void MixerPanel::addControlRef(host::ControlRefBase& ref) {
  ref.bindOrStop(m_window);
}

void MixerPanel::showPanel(bool on) {
  for (const host::ControlSpec& c : MixerLayout::controls()) {
    if (!c.container.empty()) continue;  // inside a frame of the panel
    if (QWidget* w = host::findControl(m_window, c.name, c.index)) w->setVisible(on);
  }
}

bool MixerPanel::isOpen() const {
  return btn_Mixer->Caption() != kOpenCaption;
}

void MixerPanel::btn_Mixer_Click() {
  if (!isOpen()) {
    btn_Mixer->Caption(kCloseCaption);
    m_owner.fitMixer(true);
    showPanel(true);
    mixColor = MixerModel::colorFromHexText(m_owner.frozenHexText());
    UpdateMixer();
    m_owner.holdSampling(true);
  } else {
    btn_Mixer->Caption(kOpenCaption);
    showPanel(false);
    m_owner.fitMixer(false);
    m_owner.holdSampling(false);
  }
}

void MixerPanel::UpdateMixer() {
  mixerUpdating = true;
  lblColorBox->BackColor(mixColor);
  txtColorVB->Text(QString::fromStdString(ColorText::vbLong(mixColor)));
  txtColorHtml->Text(QString::fromStdString(ColorText::html(mixColor)));
  const MixerModel::View v = MixerModel::viewOf(mixColor);
  // Values set from code raise no Change.
  hsbRGB[0]->value(v.R);
  hsbRGB[1]->value(v.G);
  hsbRGB[2]->value(v.B);
  hsbShade->value(v.shade);
  lastShade = static_cast<std::int16_t>(v.shade);
  const int channels[] = {v.R, v.G, v.B};
  for (std::size_t i = 0; i < 3; ++i) {
    host::TextBox& box = *txtRGB[i];
    if (const auto text = MixerModel::channelBoxText(box.Text().toStdString(), channels[i])) {
      box.Text(QString::fromStdString(*text));
      box.SelStart(static_cast<int>(box.Text().size()));
    }
  }
  mixerUpdating = false;
}

void MixerPanel::hsbRGB_Change(int /*index*/, std::int32_t& /*value*/) {
  if (mixerUpdating) return;
  // The whole color from all three sliders, whichever moved.
  mixColor = host::RGB(hsbRGB[0]->value(), hsbRGB[1]->value(), hsbRGB[2]->value());
  UpdateMixer();
}

void MixerPanel::hsbShade_Change(std::int32_t& /*value*/) {
  if (!mixerUpdating) {
    mixColor = MixerModel::shadeStep(hsbRGB[0]->value(), hsbRGB[1]->value(), hsbRGB[2]->value(),
                                     static_cast<std::int16_t>(hsbShade->value()), lastShade);
    UpdateMixer();
  }
  // Always: the shade slider as it now stands (after a clamp, the new mean).
  lastShade = static_cast<std::int16_t>(hsbShade->value());
}

void MixerPanel::lblColorBox_MouseDown() {
  frmColor::lift(*lblColorBox, *fraColor);
}
