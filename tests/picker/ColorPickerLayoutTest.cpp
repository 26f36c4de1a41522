// The picker's design as built: places in pixels, texts, the stored button, the tab order.
#include <gtest/gtest.h>

#include <QCheckBox>

#include "FakeScreenSource.h"
#include "controls/button/CandyButton.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "mixer/MixerLayout.h"
#include "picker/ColorPicker.h"

#include <set>

namespace {

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() : picker(screen) {}
  FakeScreenSource screen;
  ColorPicker picker;
};

TEST_F(LayoutTest, DesignedTextsAndTooltips) {
  EXPECT_EQ(picker.lbl_Exit->Caption(), QStringLiteral(" X"));
  EXPECT_EQ(picker.lbl_Exit->toolTip(), QStringLiteral(" Exits Tintwell "));
  EXPECT_EQ(picker.lbl_about->Caption(), QStringLiteral("?"));
  EXPECT_EQ(picker.lbl_Hue->Caption(), QStringLiteral("100"));
  EXPECT_EQ(picker.lbl_Hue->toolTip(), QStringLiteral(" Hue value "));
  EXPECT_EQ(picker.txt_Hex->Text(), QStringLiteral("txt_Hex"));
  EXPECT_TRUE(picker.txt_Hex->Locked());
  EXPECT_EQ(picker.Check1->Caption(), QStringLiteral("Switch On / Off"));
  EXPECT_EQ(picker.onTop->Value(), 1);
  EXPECT_EQ(picker.Check1->Value(), 1);
  EXPECT_EQ(picker.Picture7->toolTip(), QStringLiteral("BLACK percentage"));
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
      {picker.lbl_mouse, {166, 2, 106, 14}}, {picker.lbl_color, {24, 34, 61, 30}},
      {picker.txt_Hex, {227, 67, 51, 16}},   {picker.txt_vbcode, {213, 38, 79, 16}},
      {picker.Picture1, {114, 135, 12, 59}}, {picker.Picture7, {293, 136, 12, 59}},
      {picker.lbl_K, {283, 194, 29, 12}},    {picker.Pic_zoom, {23, 131, 75, 74}},
      {picker.Check1, {194, 215, 121, 17}},  {picker.btn_Mixer, {204, 87, 110, 29}},
  };
  for (const auto& [w, px] : where)
    EXPECT_EQ(w->geometry(), px) << w->objectName().toStdString();
  EXPECT_EQ(picker.size(), QSize(317, 235));
  EXPECT_EQ(picker.Shape3->parentWidget(), static_cast<QWidget*>(picker.Pic_zoom));
}

TEST_F(LayoutTest, TheMixerButtonComesFromTheStoredFormData) {
  EXPECT_EQ(picker.btn_Mixer->Caption(), QStringLiteral("ColorMixer »»»"));
  EXPECT_EQ(picker.btn_Mixer->Style(), 3);
  EXPECT_EQ(picker.btn_Mixer->ColorScheme(), 7);
  EXPECT_EQ(picker.btn_Mixer->ColorButtonUp(), 0x000080u);
  EXPECT_TRUE(picker.btn_Mixer->CaptionHighLite());
  EXPECT_EQ(picker.btn_Mixer->CaptionHighLiteColor(), 0xFFFFFFu);
  EXPECT_TRUE(picker.btn_Mixer->ready());
}

TEST_F(LayoutTest, SwitchIsFirstInTheTabOrder) {
  QWidget* first = picker.nextInFocusChain();
  while (first != nullptr && !(first->focusPolicy() & Qt::TabFocus))
    first = first->nextInFocusChain();
  EXPECT_EQ(first, picker.Check1);
}

}  // namespace
