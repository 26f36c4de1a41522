// What a screen reader finds of a window built by the runtime, through the interfaces the toolkit
// asks the runtime for: no decoration, a dialog while modal, a clickable label's press. (Labels,
// their texts and captions, and swatches are read in the running program by the end-to-end
// accessibility test.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <array>

#include "host/forms/Form.h"
#include "host/forms/FormBuilder.h"
#include "host/forms/FormData.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"

namespace {

using host::ControlSpec;
using K = host::ControlKind;

constexpr host::ControlStyle kBar{.decoration = true};

constexpr std::array kControls{
    ControlSpec{"outline", K::Shape, nullptr, {0, 0, 3000, 1500}},
    ControlSpec{"bar", K::PictureBox, &kBar, {0, 600, 180, 885}},
    ControlSpec{"hueCaption", K::Label, nullptr, {0, 0, 195, 165}, "H:"},
    ControlSpec{"hue", K::Label, nullptr, {200, 0, 300, 195}, "100", " Hue value "},
};

class AccessibilityTest : public ::testing::Test {
 protected:
  AccessibilityTest() { window.buildControls({kControls}, host::FormData{}); }
  host::Label* label(const char* name) const { return window.control<host::Label>(name); }
  static QAccessibleInterface* of(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

  host::Form window;
};

TEST_F(AccessibilityTest, TheWindowLeavesDecorationOutAndIsADialogWhileModal) {
  QAccessibleInterface* w = of(&window);
  EXPECT_EQ(w->role(), QAccessible::Window);
  std::vector<QObject*> children;
  for (int i = 0; i < w->childCount(); ++i) {
    children.push_back(w->child(i)->object());
    EXPECT_EQ(w->indexOfChild(w->child(i)), i);
  }
  EXPECT_EQ(children, (std::vector<QObject*>{label("hueCaption"), label("hue")}));
  EXPECT_EQ(w->indexOfChild(of(window.control<host::Shape>("outline"))), -1);
  EXPECT_EQ(w->indexOfChild(of(window.control<host::PictureBox>("bar"))), -1);
  window.setWindowModality(Qt::ApplicationModal);
  EXPECT_EQ(w->role(), QAccessible::Dialog);
}

TEST_F(AccessibilityTest, OnlyALabelThatHandlesClicksCanBePressed) {
  QAccessibleActionInterface* caption = of(label("hueCaption"))->actionInterface();
  EXPECT_FALSE(caption->actionNames().contains(QAccessibleActionInterface::pressAction()));
  int clicks = 0;
  label("hueCaption")->Click.connect([&clicks] { ++clicks; });
  ASSERT_TRUE(caption->actionNames().contains(QAccessibleActionInterface::pressAction()));
  caption->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
