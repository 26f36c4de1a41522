// The logo strip's bands, colors and caption on an offscreen picture box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "effects/cLogo.h"
#include "host/draw/SystemColors.h"
#include "host/forms/PictureBox.h"
#include "program/ProgramFlags.h"

namespace {

std::unique_ptr<host::PictureBox> strip(int w, int h) {
  auto box = std::make_unique<host::PictureBox>(nullptr);
  box->BorderStyle(host::PictureBox::BorderStyleKind::None);
  box->resize(w, h);
  box->ForeColor(0xFFFFFF);
  return box;
}

host::ColorRef at(const host::PictureBox& box, int x, int y) {
  return host::fromRgb24(box.buffer().pixel(x, y) & 0xFFFFFFu);
}

// One band per step (one or two rows), from the bottom up, black there.
TEST(cLogoTest, OneBandPerStepRowsFromTheBottom) {
  const struct { int height, step, bands; } cases[] = {{339, 1, 340}, {600, 2, 301}, {200, 1, 201}};
  for (const auto& c : cases) {
    EXPECT_EQ(cLogo::bandStep(c.height), c.step) << c.height;
    auto box = strip(4, c.height);
    ProgramFlags::AboutOpen = true;  // black start
    cLogo logo;
    logo.DrawingObject(box.get());
    logo.Draw();
    // Rows change color only at band edges: count the distinct runs bottom-up.
    int runs = 1;
    for (int y = c.height - 2; y >= 0; --y)
      runs += at(*box, 3, y) != at(*box, 3, y + 1) ? 1 : 0;
    EXPECT_LE(runs, c.bands) << c.height;
    EXPECT_GE(runs, c.bands / 2) << c.height;  // neighbouring bands may round to one color
    EXPECT_EQ(at(*box, 3, c.height - 1), 0u) << c.height;
  }
}

TEST(cLogoTest, BlackToBlueOn339RowsEndsJustShortOfTheEndColor) {
  auto box = strip(16, 339);
  ProgramFlags::AboutOpen = true;  // black start, as while the about window is open
  cLogo logo;
  logo.DrawingObject(box.get());
  logo.Draw();
  EXPECT_EQ(at(*box, 15, 338), 0u);
  EXPECT_EQ(at(*box, 15, 337), 0u);
  EXPECT_EQ(at(*box, 15, 0), host::RGB(3, 24, 210));
}

TEST(cLogoTest, CaptionIsWrittenUpwardsFromSixteenAboveTheBottom) {
  auto box = strip(16, 200);
  cLogo logo;
  logo.Caption(QStringLiteral("MMMMMMMM"));
  logo.Draw();  // no surface yet: nothing to draw on, and nothing fails
  logo.DrawingObject(box.get());
  logo.Draw();
  int lowest = -1;
  int highest = 200;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (at(*box, x, y) == 0xFFFFFFu) {
        lowest = std::max(lowest, y);
        highest = std::min(highest, y);
      }
    }
  }
  ASSERT_GE(lowest, 0) << "no caption pixels";
  EXPECT_LE(lowest, 200 - 16);      // starts at y = H - 16 and runs up
  EXPECT_GT(lowest - highest, 40);  // a long run upwards, not across
}

TEST(cLogoTest, SettingTheSameColorDoesNotRepaintAndSystemColorsPaintTheirValue) {
  auto box = strip(4, 100);
  cLogo logo;
  logo.DrawingObject(box.get());
  box->canvas().FillRect({0, 0, 4, 100}, 0x00FF00);
  logo.StartColor(0x161616);  // unchanged: nothing painted
  EXPECT_EQ(at(*box, 0, 99), 0x00FF00u);
  logo.StartColor(host::SystemColor::ButtonFace);
  EXPECT_EQ(logo.StartColor(), host::SystemColor::ButtonFace);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(at(*box, 0, 99), host::fromQColor(face));
}

}  // namespace
