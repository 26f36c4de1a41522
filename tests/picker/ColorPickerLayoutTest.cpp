// The picker as built from its layout table and its stored form data.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "controls/button/CandyButton.h"
#include "controls/slider/HSliderBar.h"
#include "host/forms/PictureBox.h"
#include "mixer/MixerLayout.h"

namespace {

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() : picker(screen) {}
  FakeScreenSource screen;
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

// Nothing of the compact window starts past its right edge (317 pixels), and all of the mixer
// panel does: opening the panel only widens the window.
TEST_F(LayoutTest, TheMixerPanelLiesWhollyBeyondTheCompactWindow) {
  std::set<QString> panel;
  for (const host::ControlSpec& c : MixerLayout::controls())
    panel.insert(QString::fromUtf8(c.name.data(), static_cast<qsizetype>(c.name.size())));
  for (QWidget* w : picker.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (panel.contains(w->objectName())) {
      EXPECT_GE(w->x(), 317) << w->objectName().toStdString();
    } else {
      EXPECT_LT(w->x(), 317) << w->objectName().toStdString();
    }
  }
  // The icon drawn from the SVG is compiled in, its edges smoothed by partial transparency.
  const QImage icon =
      picker.windowIcon().pixmap(64).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(icon.size(), QSize(64, 64));
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
  EXPECT_EQ(icon.pixel(32, 32), qRgb(255, 0, 0));
  int smoothed = 0;
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x)
      smoothed += qAlpha(icon.pixel(x, y)) != 0 && qAlpha(icon.pixel(x, y)) != 255;
  EXPECT_GT(smoothed, 40);
}

// The button and the four sliders take their looks from the stored form data, pictures included.
TEST_F(LayoutTest, TheUserControlsLoadFromTheStoredFormData) {
  EXPECT_EQ(probe.btn_Mixer->Style(), 3);
  EXPECT_EQ(probe.btn_Mixer->ColorScheme(), 7);
  EXPECT_EQ(probe.btn_Mixer->ColorButtonUp(), 0x000080u);
  EXPECT_TRUE(probe.btn_Mixer->ready());
  for (HSliderBar* s : {probe.hsbRGB[0], probe.hsbRGB[1], probe.hsbRGB[2], probe.hsbShade.get()}) {
    const std::string name = s->objectName().toStdString();
    EXPECT_EQ(s->size(), QSize(s == probe.hsbShade.get() ? 201 : 158, 14)) << name;
    EXPECT_EQ(s->Max(), 255) << name;
    EXPECT_EQ(s->CueWidth(), 10) << name;
    // The track tiles cover the whole width, the last column included: the light-blue band.
    EXPECT_EQ(s->buffer().pixel(s->width() - 1, 0) & 0xFFFFFFu, 0xA9D3F5u) << name;
  }
}

// Every picture box keeps a drawing surface of its own size: none is left at the size a control
// has before it is placed (the bars are 12 pixels wide, the logo strip 16), which the surface,
// only ever growing, would keep all day. The window's own drawing is only its gradient, which
// needs no surface.
TEST_F(LayoutTest, PictureBoxesKeepSurfacesOfTheirOwnSize) {
  picker.Show();
  EXPECT_FALSE(picker.hasSurface());
  int boxes = 0;
  for (QWidget* w : picker.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const auto* box = dynamic_cast<const host::PictureBox*>(w);
    if (box == nullptr || dynamic_cast<const HSliderBar*>(w) != nullptr) continue;
    ++boxes;
    const QSize surface = box->buffer().size();
    EXPECT_LE(surface.width(), std::max(box->innerWidth(), 1)) << w->objectName().toStdString();
    EXPECT_LE(surface.height(), std::max(box->innerHeight(), 1)) << w->objectName().toStdString();
  }
  EXPECT_EQ(boxes, 9);  // the magnifier, seven bars and the logo strip
}

}  // namespace
