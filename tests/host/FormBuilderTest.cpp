// Windows built from layout tables: nesting, control arrays, styles, user controls from stored
// data, and lookup by name and index.
#include <gtest/gtest.h>

#include <QTest>

#include "host/forms/CheckBox.h"
#include "host/forms/ControlRef.h"
#include "host/forms/Form.h"
#include "host/forms/FormData.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "host/forms/UserControl.h"

namespace {

using host::ControlSpec;
using host::ControlStyle;
using K = host::ControlKind;

// A user control that remembers how it was loaded.
class Probe : public host::UserControl {
 public:
  using host::UserControl::UserControl;
  void InitProperties() override { loadedFrom = "init"; }
  void ReadProperties(const host::PropertyBag& bag) override {
    loadedFrom = bag.readText(QStringLiteral("Caption"), {}).toStdString();
  }
  std::string loadedFrom;
};

constexpr ControlStyle kPanel{.back = 0xD21702, .fore = 0xE0E0E0};
constexpr ControlStyle kChannel{.back = 0x000000,
                                .fore = 0x0000FF,
                                .align = host::Label::AlignmentKind::Center,
                                .border = true};
constexpr ControlStyle kBand{.fill = 0xF5D3A9};

// A probe at 15 twips from the left, `top` from the top, from `section` of the stored data.
constexpr ControlSpec probe(std::string_view name, int top, std::string_view section = {}) {
  ControlSpec entry{name, K::User, nullptr, {15, top, 900, 300}};
  entry.create = host::makeUserControl<Probe>;
  entry.section = section;
  return entry;
}

// A mixer-like window: a frame holding a frame, control arrays, a picture box with a shape.
constexpr std::array kTable{
    ControlSpec{"fraOuter", K::Frame, &kPanel, {1500, 300, 3000, 1800}, "Outer"},
    ControlSpec{"fraInner", K::Frame, &kPanel, {150, 600, 2700, 900}, "Inner", "", "fraOuter"},
    ControlSpec{"lblRGB", K::Label, &kChannel, {150, 150, 300, 210}, "G", "", "fraInner", 1},
    ControlSpec{"lblRGB", K::Label, &kChannel, {600, 150, 300, 210}, "R", "", "fraInner", 0},
    ControlSpec{"txtRGB", K::TextBox, nullptr, {1200, 150, 600, 240}, "00", "", "fraInner", 0},
    ControlSpec{"band", K::Shape, &kBand, {0, 450, 2700, 300}, "", "", "fraInner"},
    ControlSpec{"chk", K::CheckBox, nullptr, {60, 150, 900, 255}, "On", "", "fraOuter"},
    ControlSpec{"pic", K::PictureBox, nullptr, {15, 15, 900, 900}, "", "Tip"},
    ControlSpec{"mark", K::Shape, nullptr, {150, 150, 300, 300}, "", "", "pic"},
    probe("stored", 1200, "probeSection"),
    probe("fresh", 1500),
};

class Window : public host::Form {
 public:
  Window() {
    resize(400, 200);
    buildControls({kTable}, host::FormData::parse(
                                QStringLiteral("[probeSection]\nCaption = \"from the bag\"\n")));
  }
  host::ControlRef<host::Frame> fraInner{*this, "fraInner"};
  host::ControlArray<host::Label> lblRGB{*this, "lblRGB"};
  host::ControlRef<host::TextBox> txtRGB0{*this, "txtRGB", 0};
  host::ControlRef<Probe> stored{*this, "stored"};
  host::ControlRef<Probe> fresh{*this, "fresh"};
};

TEST(FormBuilderTest, ContainersHoldTheirChildrenInTheirOwnTwips) {
  Window w;
  auto* outer = w.control<host::Frame>("fraOuter");
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->geometry(), QRect(100, 20, 200, 120));
  EXPECT_EQ(w.fraInner->parentWidget(), outer);
  EXPECT_EQ(w.fraInner->geometry(), QRect(10, 40, 180, 60));
  // Found through two frames; placed in the inner frame's coordinates.
  EXPECT_EQ(w.txtRGB0->parentWidget(), static_cast<QWidget*>(w.fraInner));
  EXPECT_EQ(w.txtRGB0->geometry(), QRect(80, 10, 40, 16));
  EXPECT_EQ(w.txtRGB0->mapTo(&w, QPoint(0, 0)), QPoint(190, 70));
  EXPECT_EQ(w.control<host::Shape>("mark")->parentWidget(), w.control<QWidget>("pic"));
  EXPECT_EQ(w.control<QWidget>("pic")->toolTip(), QStringLiteral("Tip"));
}

TEST(FormBuilderTest, ControlArraysAreIndexedAndLookupNeedsTheRightNameIndexAndType) {
  Window w;
  ASSERT_EQ(w.lblRGB.size(), 2u);
  EXPECT_EQ(w.lblRGB[0]->Caption(), QStringLiteral("R"));
  EXPECT_EQ(w.lblRGB[1]->Caption(), QStringLiteral("G"));
  EXPECT_EQ(host::controlIndex(*w.lblRGB[1]), 1);
  EXPECT_EQ(w.control<host::Label>("lblRGB", 2), nullptr);
  EXPECT_EQ(w.control<host::Label>("lblRGB"), nullptr);     // an array has no single control
  EXPECT_EQ(w.control<host::Label>("txtRGB", 0), nullptr);  // not a label
  EXPECT_EQ(w.control<QWidget>("nothing"), nullptr);
}

TEST(FormBuilderTest, StylesTextsAndLayersAreApplied) {
  Window w;
  const host::Label& r = *w.lblRGB[0];
  EXPECT_EQ(r.BackColor(), 0x000000u);
  EXPECT_EQ(r.ForeColor(), 0x0000FFu);
  EXPECT_EQ(r.Alignment(), host::Label::AlignmentKind::Center);
  EXPECT_EQ(r.BorderStyle(), host::Label::BorderStyleKind::FixedSingle);
  EXPECT_EQ(w.fraInner->Caption(), QStringLiteral("Inner"));
  EXPECT_EQ(w.fraInner->BackColor(), 0xD21702u);
  EXPECT_EQ(w.fraInner->ForeColor(), 0xE0E0E0u);
  EXPECT_EQ(w.txtRGB0->Text(), QStringLiteral("00"));
  EXPECT_EQ(w.control<host::CheckBox>("chk")->Value(), 0);
  const host::Shape* band = w.control<host::Shape>("band");
  ASSERT_NE(band, nullptr);
  EXPECT_TRUE(band->Filled());
  // Within the inner frame: the shape beneath the labels, the labels beneath the text box.
  std::vector<QString> order;
  for (QObject* child : w.fraInner->children()) {
    if (child->isWidgetType()) order.push_back(child->objectName());
  }
  EXPECT_EQ(order, (std::vector<QString>{"band", "lblRGB", "lblRGB", "txtRGB"}));
}

TEST(FormBuilderTest, UserControlsLoadFromTheirSectionOrInitialize) {
  Window w;
  EXPECT_EQ(w.stored->loadedFrom, "from the bag");
  EXPECT_EQ(w.stored->Name(), QStringLiteral("stored"));
  EXPECT_EQ(w.fresh->loadedFrom, "init");
}

TEST(FrameTest, PaintsItsBackgroundAndCaptionInItsColors) {
  Window w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const QImage shot = w.fraInner->grab().toImage();
  EXPECT_EQ(shot.pixelColor(90, 54), QColor(0x02, 0x17, 0xD2));  // inside: BackColor
  // The caption, light on the dark background, interrupts the border at the top left.
  int captionPixels = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 8; x < 28; ++x)
      captionPixels += shot.pixelColor(x, y).red() > 0x80 ? 1 : 0;
  EXPECT_GT(captionPixels, 10);
}

}  // namespace
