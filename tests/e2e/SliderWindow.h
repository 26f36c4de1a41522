#pragma once

#include "controls/slider/HSliderBar.h"
#include "host/ControlRef.h"
#include "host/Form.h"
#include "host/Label.h"

// A test window for the slider on a real display: the mixer's four stored sliders (three
// channel sliders and the shade slider) on the mixer's blue panel over light-blue bands, each
// with a label that shows the value its Change last carried.
class SliderWindow : public host::Form {
 public:
  SliderWindow();

  host::ControlArray<HSliderBar> hsbRGB{*this, "hsbRGB"};
  host::ControlRef<HSliderBar> hsbShade{*this, "hsbShade"};
  host::ControlArray<host::Label> lblValue{*this, "lblValue"};
};
