// Windows built from layout tables: nesting, control arrays, styles, lookup by name and index, and
// what a screen reader finds of them. (User controls loading their stored data or initializing
// are checked through the picker's buttons and sliders; labels, their captions and swatches as a
// screen reader reads them, by the end-to-end accessibility test.)
#include <gtest/gtest.h>

#include <QAccessible>

#include "host/forms/ControlRef.h"
#include "host/forms/Form.h"
#include "host/forms/FormData.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"

namespace {

using host::ControlSpec;
using host::ControlStyle;
using K = host::ControlKind;

constexpr ControlStyle kPanel{.back = 0xD21702, .fore = 0xE0E0E0};
constexpr ControlStyle kChannel{.back = 0x000000,
                                .fore = 0x0000FF,
                                .align = host::Label::AlignmentKind::Center,
                                .border = true};
constexpr ControlStyle kBand{.fill = 0xF5D3A9};
constexpr ControlStyle kDecoration{.decoration = true};

// A mixer-like window: an outline, a frame holding a frame, control arrays, a decorative picture
// box with a shape.
constexpr std::array kTable{
    ControlSpec{"outline", K::Shape, nullptr, {0, 0, 6000, 3000}},
    ControlSpec{"fraOuter", K::Frame, &kPanel, {1500, 300, 3000, 1800}, "Outer"},
    ControlSpec{"fraInner", K::Frame, &kPanel, {150, 600, 2700, 900}, "Inner", "", "fraOuter"},
    ControlSpec{"lblRGB", K::Label, &kChannel, {150, 150, 300, 210}, "G", "", "fraInner", 1},
    ControlSpec{"lblRGB", K::Label, &kChannel, {600, 150, 300, 210}, "R", "", "fraInner", 0},
    ControlSpec{"txtRGB", K::TextBox, nullptr, {1200, 150, 600, 240}, "00", "", "fraInner", 0},
    ControlSpec{"band", K::Shape, &kBand, {0, 450, 2700, 300}, "", "", "fraInner"},
    ControlSpec{"pic", K::PictureBox, &kDecoration, {15, 15, 900, 900}},
    ControlSpec{"mark", K::Shape, nullptr, {150, 150, 300, 300}, "", "", "pic"},
};

class Window : public host::Form {
 public:
  Window() {
    resize(400, 200);
    buildControls({kTable}, host::FormData{});
  }
  host::ControlRef<host::Frame> fraInner{*this, "fraInner"};
  host::ControlArray<host::Label> lblRGB{*this, "lblRGB"};
  host::ControlRef<host::TextBox> txtRGB0{*this, "txtRGB", 0};
};

TEST(FormBuilderTest, ContainersHoldTheirChildrenInTheirOwnTwips) {
  Window w;
  EXPECT_EQ(w.fraInner->parentWidget(), w.control<host::Frame>("fraOuter"));
  EXPECT_EQ(w.fraInner->geometry(), QRect(10, 40, 180, 60));
  // Found through two frames; placed in the inner frame's coordinates.
  EXPECT_EQ(w.txtRGB0->parentWidget(), static_cast<QWidget*>(w.fraInner));
  EXPECT_EQ(w.txtRGB0->geometry(), QRect(80, 10, 40, 16));
  EXPECT_EQ(w.control<host::Shape>("mark")->parentWidget(), w.control<QWidget>("pic"));
}

TEST(FormBuilderTest, ControlArraysAreIndexedAndLookupNeedsTheRightNameIndexAndType) {
  Window w;
  ASSERT_EQ(w.lblRGB.size(), 2u);
  EXPECT_EQ(w.lblRGB[0]->Caption(), QStringLiteral("R"));
  EXPECT_EQ(w.lblRGB[1]->Caption(), QStringLiteral("G"));
  EXPECT_EQ(host::controlIndex(*w.lblRGB[1]), 1);
  EXPECT_EQ(w.control<host::Label>("lblRGB", 2), nullptr);
  EXPECT_EQ(w.control<host::Label>("lblRGB"), nullptr);  // an array has no single control
}

TEST(FormBuilderTest, StylesTextsAndLayersAreApplied) {
  Window w;
  const host::Label& r = *w.lblRGB[0];
  EXPECT_EQ(r.BackColor(), 0x000000u);
  EXPECT_EQ(r.ForeColor(), 0x0000FFu);
  EXPECT_EQ(r.Alignment(), host::Label::AlignmentKind::Center);
  EXPECT_EQ(r.BorderStyle(), host::Label::BorderStyleKind::FixedSingle);
  const host::Shape* band = w.control<host::Shape>("band");
  ASSERT_NE(band, nullptr);
  EXPECT_TRUE(band->Filled());
  // The frame paints its style's back color (its caption's ink is checked with the text
  // placement of every control).
  EXPECT_EQ(w.fraInner->grab().toImage().pixelColor(90, 54), QColor(0x02, 0x17, 0xD2));
  // Within the inner frame: the shape beneath the labels, the labels beneath the text box.
  std::vector<QString> order;
  for (QObject* child : w.fraInner->children()) {
    if (child->isWidgetType()) order.push_back(child->objectName());
  }
  EXPECT_EQ(order, (std::vector<QString>{"band", "lblRGB", "lblRGB", "txtRGB"}));
}

QAccessibleInterface* accessible(QWidget* w) {
  return QAccessible::queryAccessibleInterface(w);
}

TEST(FormAccessibilityTest, TheWindowLeavesShapesAndDecorationOutAndIsADialogWhileModal) {
  Window w;
  QAccessibleInterface* a = accessible(&w);
  EXPECT_EQ(a->role(), QAccessible::Window);
  std::vector<QObject*> children;
  for (int i = 0; i < a->childCount(); ++i) {
    children.push_back(a->child(i)->object());
    EXPECT_EQ(a->indexOfChild(a->child(i)), i);
  }
  EXPECT_EQ(children, (std::vector<QObject*>{w.control<host::Frame>("fraOuter")}));
  EXPECT_EQ(a->indexOfChild(accessible(w.control<host::Shape>("outline"))), -1);
  EXPECT_EQ(a->indexOfChild(accessible(w.control<host::PictureBox>("pic"))), -1);
  w.setWindowModality(Qt::ApplicationModal);
  EXPECT_EQ(a->role(), QAccessible::Dialog);
}

TEST(FormAccessibilityTest, OnlyALabelThatHandlesClicksCanBePressed) {
  Window w;
  QAccessibleActionInterface* label = accessible(w.lblRGB[0])->actionInterface();
  EXPECT_FALSE(label->actionNames().contains(QAccessibleActionInterface::pressAction()));
  int clicks = 0;
  w.lblRGB[0]->Click.connect([&clicks] { ++clicks; });
  ASSERT_TRUE(label->actionNames().contains(QAccessibleActionInterface::pressAction()));
  label->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
