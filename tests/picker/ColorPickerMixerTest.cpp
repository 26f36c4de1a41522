// The mixer panel in the picker window, offscreen: opening and closing it, what it shows, and the
// texts' selection and tab order. (Dragging its sliders is checked on a real display.)
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "RecordingReporter.h"
#include "color/ColorText.h"
#include "controls/slider/HSliderBar.h"
#include "host/forms/CheckBox.h"
#include "host/forms/FormBuilder.h"
#include "host/forms/Forms.h"
#include "host/platform/Platform.h"
#include "mixer/MixerLayout.h"

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

// Every text box's edit menu, as a right click shows it: the toolkit's items, then "Copy as" with
// the box's color in each notation (the readouts' color, or the mixer's); the item chosen is
// copied and ticked from then on, and Ctrl+Shift+C copies the color in view in that notation.
TEST_F(MixerTest, EditMenusCopyTheBoxsColorInEachNotationAndCtrlShiftCTheLastChosen) {
  picker.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
  probe.btn_Mixer_Click();
  probe.hsbRGB[0]->value(0);
  std::int32_t red = 0;
  probe.hsbRGB[0]->Change.raise(red);
  const host::ColorRef picked = host::RGB(255, 128, 0), mixed = host::RGB(0, 128, 0);
  const auto text = [](std::size_t i, host::ColorRef c) {
    return QString::fromStdString(ColorText::format(ColorText::kNotations.at(i), c));
  };
  const auto clipboard = [] { return QApplication::clipboard()->text().toStdString(); };
  std::size_t chosen = 1, ticked = 1;  // html until one is chosen
  for (const auto& [box, color] : std::initializer_list<std::pair<host::TextBox*, host::ColorRef>>{
           {probe.txt_Hex, picked},
           {probe.txt_vbcode, picked},
           {probe.txtRGB[1], mixed},
           {probe.txtColorHtml, mixed},
           {probe.txtColorVB, mixed}}) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << box->objectName().toStdString();
    QStringList captions;
    for (const QAction* a : menu->actions())
      captions << a->text();
    EXPECT_TRUE(captions.join(u'|').contains(QStringLiteral("&Copy")))
        << captions.join(u'|').toStdString();
    QMenu* copyAs = menu->actions().constLast()->menu();
    ASSERT_NE(copyAs, nullptr);
    EXPECT_EQ(menu->actions().constLast()->text(), QStringLiteral("Copy as"));
    const QList<QAction*> items = copyAs->actions();
    ASSERT_EQ(std::size_t(items.size()), ColorText::kNotations.size());
    for (std::size_t i = 0; i < ColorText::kNotations.size(); ++i) {
      EXPECT_EQ(items[qsizetype(i)]->text().toStdString(),
                text(i, color).replace(u'&', QStringLiteral("&&")).toStdString());
      EXPECT_EQ(items[qsizetype(i)]->isChecked(), i == ticked) << i;
    }
    items[qsizetype(chosen)]->trigger();
    EXPECT_EQ(clipboard(), text(chosen, color).toStdString());
    menu->close();
    ticked = chosen;
    chosen = (chosen + 4) % ColorText::kNotations.size();
  }
  // The mixer's color while the panel is open, the readouts' once it is closed.
  QApplication::clipboard()->clear();
  probe.txtColorHtml->setFocus();
  QTest::keyClick(probe.txtColorHtml, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard(), text(ticked, mixed).toStdString());
  probe.btn_Mixer_Click();
  probe.txt_Hex->setFocus();
  QTest::keyClick(probe.txt_Hex, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard(), text(ticked, picked).toStdString());
}

// The panel is built when it first opens, not with the window: until then none of its controls
// exists. What its stored design holds that cannot be used is logged then, once.
TEST(MixerBuildTest, ThePanelIsBuiltOnFirstOpenAndLogsItsStoredProblemsOnce) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // The window's own design with a value of the wrong kind in the button's section and one in
  // the shade slider's.
  QFile stored(QStringLiteral(":/forms/ColorPicker.txt"));
  ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
  QByteArray design = stored.readAll();
  design.replace("ColorScheme = 7", "ColorScheme = \"seven\"");
  const qsizetype at = design.indexOf("max = 255", design.indexOf("[hsbShade]"));
  ASSERT_GT(at, 0);
  design.replace(at, 9, "max = \"lots\"");
  QFile file(dir.filePath(QStringLiteral("form.txt")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(design);
  file.close();
  RecordingReporter reporter;
  host::setBeepHandler([](int, int) {});
  FakeScreenSource screen(QImage(400, 300, QImage::Format_RGB32));
  ColorPicker picker(screen, nullptr, file.fileName());
  picker.Show();
  const auto logged = [&](const char* section) {
    return std::count_if(reporter.log.begin(), reporter.log.end(), [&](const QString& line) {
      return line.contains(QLatin1String(section), Qt::CaseInsensitive);
    });
  };
  EXPECT_EQ(logged("[btn_mixer]"), 1);
  EXPECT_EQ(logged("[hsbshade]"), 0);
  for (const host::ControlSpec& c : MixerLayout::controls())
    EXPECT_EQ(host::findControl(picker, c.name, c.index), nullptr) << c.name;

  auto* button = host::findControl<CandyButton>(picker, "btn_Mixer");
  ASSERT_NE(button, nullptr);
  auto* sampling = host::findControl<host::CheckBox>(picker, "Check1");
  for (int i = 0; i < 3; ++i) {  // open, close, open again
    // Frozen, the button is usable (closing the panel switches sampling back on).
    if (i != 1) sampling->Value(0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 15));
    auto* shade = host::findControl<HSliderBar>(picker, "hsbShade");
    ASSERT_NE(shade, nullptr);
    EXPECT_EQ(shade->isVisible(), i != 1) << "click " << i;
    EXPECT_EQ(picker.findChildren<QWidget*>(QStringLiteral("hsbShade")).size(), 1);
  }
  for (const host::ControlSpec& c : MixerLayout::controls())
    EXPECT_NE(host::findControl(picker, c.name, c.index), nullptr) << c.name;
  EXPECT_EQ(logged("[hsbshade]"), 1);
  EXPECT_EQ(logged("[btn_mixer]"), 1);
  host::setBeepHandler(nullptr);
}

}  // namespace
