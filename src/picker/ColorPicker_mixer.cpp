// The picker window as the mixer panel's owner: the frozen color, the window widened for the
// panel and narrowed back, and sampling held while the panel is open.
#include <QString>

#include "ColorPicker.h"
#include "ColorPickerLayout.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Control.h"
#include "host/forms/Label.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "mixer/MixerLayout.h"

std::string ColorPicker::frozenHexText() const {
  return txt_Hex->Text().toStdString();
}

void ColorPicker::fitMixer(bool open) {
  using namespace ColorPickerLayout;
  Width(open ? MixerLayout::kOpenWidth : kCompactWidth);
  Shape2->Width(open ? kBandWidthOpen : kBandWidthClosed);
  host::setLeftTwips(*lbl_Exit, open ? kExitLeftOpen : kExitLeftClosed);
  host::setLeftTwips(*lbl_about, open ? kAboutLeftOpen : kAboutLeftClosed);
  shapeWindow();
}

void ColorPicker::holdSampling(bool hold) {
  runTimers(false);
  Check1->Enabled(!hold);
  if (hold) return;
  // Released, sampling is switched on: ticking the switch raises its Click when it changes.
  if (Check1->Value() == 1) {
    Check1_Click();
  } else {
    Check1->Value(1);
  }
  focusSwitch();
}
