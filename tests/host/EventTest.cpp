// Events with several listeners, and the mouse events every control raises.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "host/core/RuntimeError.h"
#include "host/forms/Event.h"
#include "host/forms/Label.h"
#include "host/forms/TextBox.h"

namespace {

TEST(EventTest, ListenersRunInOrderAndAFailingOneDoesNotStopTheRest) {
  host::Event<int&> change("Change");
  std::vector<std::string> seen;
  change.connect([&](int& v) {
    seen.push_back("first " + std::to_string(v));
    v = 7;  // a by-reference argument: later listeners and the raiser see the change
  });
  change.connect([&](int&) {
    seen.push_back("failing");
    throw host::RuntimeError(5, "Test", "Invalid parameter");
  });
  change.connect([&](int& v) {
    seen.push_back("third " + std::to_string(v));
    // Connected while raising: runs from the next raise on.
    change.connect([&](int&) { seen.push_back("late"); });
  });
  int value = 1;
  change.raise(value);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 1", "failing", "third 7"}));
  seen.clear();
  change.raise(value);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 7", "failing", "third 7", "late"}));
}

// A window beneath its controls that records the presses reaching it.
struct Beneath : QWidget {
  int presses = 0;
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

TEST(MouseEventsTest, ALabelTakesEveryEventAndClicksOnALeftReleaseInside) {
  Beneath window;
  window.resize(100, 100);
  auto* label = new host::Label(&window);
  label->setGeometry(10, 10, 40, 20);
  std::vector<std::string> seen;
  label->MouseDown.connect([&](const host::MouseArgs& a) {
    seen.push_back("down " + std::to_string(a.Button) + " at " + std::to_string(int(a.X)));
  });
  label->MouseUp.connect(
      [&](const host::MouseArgs& a) { seen.push_back("up " + std::to_string(a.Button)); });
  label->Click.connect([&] { seen.push_back("click"); });
  label->Click.connect([&] { seen.push_back("second listener"); });
  window.show();

  QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(label, Qt::RightButton, {}, QPoint(6, 5));
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(7, 5));
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(70, 5));  // released outside: no click
  EXPECT_EQ(seen, (std::vector<std::string>{"down 1 at 5", "up 1", "click", "second listener",
                                            "down 2 at 6", "up 2", "down 1 at 7", "up 1"}));
  EXPECT_EQ(window.presses, 0);
}

TEST(MouseEventsTest, ATextBoxRaisesItsEventsAndStillHandlesTheClickItself) {
  QWidget window;
  auto* box = new host::TextBox(&window);
  box->setGeometry(0, 0, 80, 16);
  box->Text(QStringLiteral("FF8000"));
  int doubles = 0;
  box->DblClick.connect([&] { ++doubles; });
  window.show();
  QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(10, 8));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(box->selectedText(), QStringLiteral("FF8000"));  // the box's own double click
}

}  // namespace
