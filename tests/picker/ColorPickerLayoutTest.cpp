// Every control of the picker's design is created, in place, with its texts.
#include <gtest/gtest.h>

#include <QCheckBox>

#include "FakeScreenSource.h"
#include "controls/button/CandyButton.h"
#include "host/CheckBox.h"
#include "host/Label.h"
#include "host/PictureBox.h"
#include "host/Shape.h"
#include "host/TextBox.h"
#include "picker/ColorPicker.h"
#include "picker/ColorPickerLayout.h"

namespace {

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Twips to pixels at the offscreen platform's 96 DPI.
QRect pixels(const host::TwipsRect& r) {
  return QRect(host::roundHalfEven(r.left / 15.0), host::roundHalfEven(r.top / 15.0),
               host::roundHalfEven(r.width / 15.0), host::roundHalfEven(r.height / 15.0));
}

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() : picker(screen) {}
  FakeScreenSource screen;
  ColorPicker picker;
};

TEST_F(LayoutTest, EveryDesignedControlExistsInPlaceWithItsTexts) {
  for (const auto& item : ColorPickerLayout::controls()) {
    SCOPED_TRACE(std::string(item.name));
    auto* w = picker.findChild<QWidget*>(text(item.name));
    ASSERT_NE(w, nullptr);
    if (auto* shape = dynamic_cast<host::Shape*>(w)) {
      EXPECT_EQ(shape->outline(), pixels(item.rect));
    } else {
      EXPECT_EQ(w->geometry(), pixels(item.rect));
    }
    EXPECT_EQ(w->toolTip(), text(item.tooltip));
    if (auto* label = dynamic_cast<host::Label*>(w)) {
      EXPECT_EQ(label->Caption(), text(item.text));
    }
    if (auto* check = dynamic_cast<host::CheckBox*>(w)) {
      EXPECT_EQ(check->Caption(), text(item.text));
      EXPECT_EQ(check->Value(), 1);
    }
    if (auto* box = dynamic_cast<host::TextBox*>(w)) {
      EXPECT_EQ(box->Text(), text(item.text));
    }
    // Nothing of the compact window reaches past its right edge.
    EXPECT_LE(item.rect.left, ColorPickerLayout::kCompactWidth);
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
