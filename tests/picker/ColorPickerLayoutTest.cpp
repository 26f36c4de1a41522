// The picker's design as built: places in pixels, texts, the stored button, the tab order.
#include <gtest/gtest.h>

#include <QCheckBox>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "controls/button/CandyButton.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "mixer/MixerLayout.h"

#include <set>

namespace {

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() : picker(screen) {}
  FakeScreenSource screen;
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

TEST_F(LayoutTest, DesignedTextsAndTooltips) {
  EXPECT_EQ(probe.lbl_Exit->Caption(), QStringLiteral(" X"));
  EXPECT_EQ(probe.lbl_Exit->toolTip(), QStringLiteral(" Exits Tintwell "));
  EXPECT_EQ(probe.lbl_about->Caption(), QStringLiteral("?"));
  EXPECT_EQ(probe.lbl_Hue->Caption(), QStringLiteral("100"));
  EXPECT_EQ(probe.lbl_Hue->toolTip(), QStringLiteral(" Hue value "));
  EXPECT_EQ(probe.txt_Hex->Text(), QStringLiteral("txt_Hex"));
  EXPECT_TRUE(probe.txt_Hex->Locked());
  EXPECT_EQ(probe.Check1->Caption(), QStringLiteral("Switch On / Off"));
  EXPECT_EQ(probe.onTop->Value(), 1);
  EXPECT_EQ(probe.Check1->Value(), 1);
  EXPECT_EQ(probe.Picture7->toolTip(), QStringLiteral("BLACK percentage"));
  EXPECT_EQ(picker.control<host::Label>("Label6")->Caption(), QStringLiteral("#:"));
  EXPECT_FALSE(picker.windowIcon().isNull()) << "the icon drawn from the SVG is compiled in";
  // Nothing of the compact window starts past its right edge (317 pixels), and all of the
  // mixer panel does.
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
}

TEST_F(LayoutTest, DesignedPlacesInPixels) {
  const struct {
    QWidget* w;
    QRect px;
  } where[] = {
      {probe.lbl_mouse, {166, 2, 106, 14}}, {probe.lbl_color, {24, 34, 61, 30}},
      {probe.txt_Hex, {227, 67, 51, 16}},   {probe.txt_vbcode, {213, 38, 79, 16}},
      {probe.Picture1, {114, 135, 12, 59}}, {probe.Picture7, {293, 136, 12, 59}},
      {probe.lbl_K, {283, 194, 29, 12}},    {probe.Pic_zoom, {23, 131, 75, 74}},
      {probe.Check1, {194, 215, 121, 17}},  {probe.btn_Mixer, {204, 87, 110, 29}},
  };
  for (const auto& [w, px] : where)
    EXPECT_EQ(w->geometry(), px) << w->objectName().toStdString();
  EXPECT_EQ(picker.size(), QSize(317, 235));
  EXPECT_EQ(probe.Shape3->parentWidget(), static_cast<QWidget*>(probe.Pic_zoom));
}

TEST_F(LayoutTest, TheMixerButtonComesFromTheStoredFormData) {
  EXPECT_EQ(probe.btn_Mixer->Caption(), QStringLiteral("ColorMixer »»»"));
  EXPECT_EQ(probe.btn_Mixer->Style(), 3);
  EXPECT_EQ(probe.btn_Mixer->ColorScheme(), 7);
  EXPECT_EQ(probe.btn_Mixer->ColorButtonUp(), 0x000080u);
  EXPECT_TRUE(probe.btn_Mixer->CaptionHighLite());
  EXPECT_EQ(probe.btn_Mixer->CaptionHighLiteColor(), 0xFFFFFFu);
  EXPECT_TRUE(probe.btn_Mixer->ready());
}

TEST_F(LayoutTest, SwitchIsFirstInTheTabOrder) {
  QWidget* first = picker.nextInFocusChain();
  while (first != nullptr && !(first->focusPolicy() & Qt::TabFocus))
    first = first->nextInFocusChain();
  EXPECT_EQ(first, probe.Check1);
}

}  // namespace
