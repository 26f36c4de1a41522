// The mixer panel in the picker window, offscreen: opening and closing it, what it shows, and the
// texts' selection and tab order. (Dragging its sliders is checked on a real display.)
#include <gtest/gtest.h>

#include <QTest>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "host/forms/Forms.h"
#include "host/platform/Platform.h"

namespace {

class MixerTest : public ::testing::Test {
 protected:
  MixerTest() : screen(QImage(400, 300, QImage::Format_RGB32)), picker(screen) {
    host::setBeepHandler([](int, int) {});
    host::setEndHandler([] {});
    screen.fill(host::RGB(255, 128, 0));
    screen.setCursor(QPoint(10, 10));
    picker.Show();
    probe.Timer1_Timer();    // the readouts show FF8000
    probe.Check1->Value(0);  // frozen: the mixer button is usable
  }
  ~MixerTest() override {
    host::setBeepHandler(nullptr);
    host::setEndHandler(nullptr);
  }
  QString text(const host::TextBox* box) const { return box->Text(); }
  std::array<int, 4> sliders() const {
    return {probe.hsbRGB[0]->value(), probe.hsbRGB[1]->value(), probe.hsbRGB[2]->value(),
            probe.hsbShade->value()};
  }

  FakeScreenSource screen;
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

TEST_F(MixerTest, OpeningWidensTheWindowShowsTheFrozenColorAndStopsSampling) {
  ASSERT_TRUE(probe.btn_Mixer->Enabled());
  QTest::mouseClick(probe.btn_Mixer, Qt::LeftButton, {}, QPoint(30, 15));
  ASSERT_TRUE(probe.mixerOpen());
  EXPECT_EQ(probe.btn_Mixer->Caption(), QStringLiteral("««« ColorMixer"));
  EXPECT_EQ(picker.width(), 571);  // 8565 twips
  EXPECT_EQ(probe.lbl_Exit->x(), 544);
  EXPECT_FALSE(probe.Timer1.Enabled() || probe.Timer.Enabled());
  EXPECT_FALSE(probe.Check1->Enabled());
  EXPECT_EQ(sliders(), (std::array{255, 128, 0, 128}));
  EXPECT_EQ(text(probe.txtColorHtml), QStringLiteral("#FF8000"));
  EXPECT_EQ(text(probe.txtColorVB), QStringLiteral("&H0080FF&"));
  EXPECT_EQ(text(probe.txtRGB[0]), QStringLiteral("255"));
  EXPECT_EQ(text(probe.txtRGB[1]), QStringLiteral("128"));
  EXPECT_EQ(text(probe.txtRGB[2]), QStringLiteral("00"));
  EXPECT_EQ(probe.lblColorBox->BackColor(), 0x0080FFu);
  EXPECT_EQ(picker.windowRegion().box().right, 570) << "the rounded shape follows the width";

  QTest::mouseClick(probe.btn_Mixer, Qt::LeftButton, {}, QPoint(30, 15));
  EXPECT_FALSE(probe.mixerOpen());
  EXPECT_EQ(probe.btn_Mixer->Caption(), QStringLiteral("ColorMixer »»»"));
  EXPECT_EQ(picker.width(), 317);
  EXPECT_EQ(probe.lbl_Exit->x(), 294);
  // Closing switches sampling on.
  EXPECT_TRUE(probe.Check1->Enabled());
  EXPECT_EQ(probe.Check1->Value(), 1);
  EXPECT_TRUE(probe.Timer1.Enabled() && probe.Timer.Enabled());
  EXPECT_FALSE(probe.btn_Mixer->Enabled());
}

TEST_F(MixerTest, TheColorTextsSelectAllOfThemselvesWhenClicked) {
  picker.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
  QTest::mouseClick(probe.txt_vbcode, Qt::LeftButton, {}, QPoint(30, 8));
  EXPECT_EQ(probe.txt_vbcode->selectedText(), QStringLiteral("&H0080FF&"));
  probe.btn_Mixer_Click();
  for (host::TextBox* box : {probe.txtColorHtml.get(), probe.txtColorVB.get()}) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(box->selectedText(), box->Text());
  }
}

// Tab goes round the controls in the order they are laid out, the switch first, and through the
// panel's text boxes only while the panel is open (closed, it lies beyond the window's edge).
TEST_F(MixerTest, TabReachesTheTextBoxesAndTheButtonAndThePanelOnlyWhenOpen) {
  picker.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
  const auto tabRound = [](QWidget* from) {
    from->setFocus();
    std::vector<QWidget*> round{from};
    for (int i = 0; i < 20; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (QApplication::focusWidget() == from) break;
      round.push_back(QApplication::focusWidget());
    }
    return round;
  };
  EXPECT_EQ(tabRound(probe.Check1),
            (std::vector<QWidget*>{probe.Check1, probe.onTop, probe.txt_vbcode, probe.txt_Hex,
                                   probe.btn_Mixer}));
  probe.btn_Mixer_Click();  // the switch is disabled while the panel is open
  EXPECT_EQ(tabRound(probe.onTop),
            (std::vector<QWidget*>{probe.onTop, probe.txt_vbcode, probe.txt_Hex, probe.btn_Mixer,
                                   probe.txtRGB[0], probe.txtRGB[1], probe.txtRGB[2],
                                   probe.txtColorHtml, probe.txtColorVB}));
}

}  // namespace
