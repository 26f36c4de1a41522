// The sampling tick against a fake screen, offscreen: every readout and bar the user sees.
#include <gtest/gtest.h>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/TextBox.h"

namespace {

// Rows of the bar's inner area entirely in `color`, counted from the bottom up to the first row
// that is not.
int barRows(const host::PictureBox& box, host::ColorRef color) {
  int rows = 0;
  for (int y = box.innerHeight() - 1; y >= 0; --y) {
    for (int x = 0; x < box.innerWidth(); ++x) {
      if ((box.buffer().pixel(x, y) & 0xFFFFFFu) != host::toRgb24(color)) return rows;
    }
    ++rows;
  }
  return rows;
}

// Rows entirely in `color` counted from the top down.
int rowsFromTop(const host::PictureBox& box, host::ColorRef color) {
  for (int y = 0; y < box.innerHeight(); ++y) {
    for (int x = 0; x < box.innerWidth(); ++x) {
      if ((box.buffer().pixel(x, y) & 0xFFFFFFu) != host::toRgb24(color)) return y;
    }
  }
  return box.innerHeight();
}

class TickTest : public ::testing::Test {
 protected:
  TickTest() : screen(QImage(200, 100, QImage::Format_RGB32), QPoint(-100, 0)), picker(screen) {}

  void sample(QPoint at, host::ColorRef color) {
    screen.fill(color);
    screen.setCursor(at);
    probe.Timer1_Timer();
  }

  FakeScreenSource screen;
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

// The arithmetic of every notation is checked by the readouts' own table; here, that one tick
// carries each value to its control and bar.
TEST_F(TickTest, WritesEveryReadoutAndBarFromThePixelUnderTheCursor) {
  sample({-60, 40}, host::RGB(255, 128, 0));
  EXPECT_EQ(probe.lbl_mouse->Caption(), QStringLiteral("X: -60  Y: 40"));
  EXPECT_EQ(probe.lbl_color->BackColor(), 0x0080FFu);
  const std::vector<std::pair<host::Label*, const char*>> captions = {
      {probe.lbl_red, "255"},  {probe.lbl_green, "128"}, {probe.lbl_blue, "0"},
      {probe.lbl_Hue, "30°"},  {probe.lbl_Lum, "100"},   {probe.lbl_Sat, "100"},
      {probe.lbl_gryR, "147"}, {probe.lbl_gryG, "147"},  {probe.lbl_gryB, "147"},
      {probe.lbl_C, "0 %"},    {probe.lbl_M, "50 %"},    {probe.lbl_Y, "100 %"},
      {probe.lbl_K, "0 %"}};
  for (const auto& [label, text] : captions)
    EXPECT_EQ(label->Caption(), QString::fromUtf8(text)) << label->objectName().toStdString();
  EXPECT_EQ(probe.txt_Hex->Text(), QStringLiteral("FF8000"));
  EXPECT_EQ(probe.txt_vbcode->Text(), QStringLiteral("&H0080FF&"));
  EXPECT_EQ(probe.lbl_Grey->BackColor(), host::RGB(147, 147, 147));

  // Bars over 55 rows, from the bottom up to where (max - value) * 55 / max rounds: 128 of 255
  // leaves 27 rows white, 50 of 100 leaves 28 (27.5 rounds to the even 28).
  const struct {
    host::PictureBox* box;
    host::ColorRef color;
    int rows;
  } bars[] = {{probe.Picture1, 0x0000FF, 55}, {probe.Picture2, 0x00FF00, 28},
              {probe.Picture3, 0xFF0000, 0},  {probe.Picture4, 0xFFFF00, 0},
              {probe.Picture5, 0xFF00FF, 27}, {probe.Picture6, 0x00FFFF, 55},
              {probe.Picture7, 0x000000, 0}};
  for (const auto& bar : bars) {
    ASSERT_EQ(bar.box->innerHeight(), 55);
    EXPECT_EQ(barRows(*bar.box, bar.color), bar.rows) << bar.box->objectName().toStdString();
    EXPECT_EQ(rowsFromTop(*bar.box, 0xFFFFFF), 55 - bar.rows)
        << bar.box->objectName().toStdString();
  }
}

// A tick that finds the same color leaves every bar as it is (no repaint); a new color, or a bar
// drawn over in between, paints again.
TEST_F(TickTest, AnUnchangedBarIsNotPaintedAgain) {
  sample({10, 10}, host::RGB(200, 100, 50));
  const std::uint64_t red = probe.Picture1->drawings();
  const std::uint64_t black = probe.Picture7->drawings();
  sample({11, 10}, host::RGB(200, 100, 50));
  EXPECT_EQ(probe.Picture1->drawings(), red);
  EXPECT_EQ(probe.Picture7->drawings(), black);
  probe.Picture1->Cls();
  sample({12, 10}, host::RGB(200, 100, 50));
  EXPECT_GT(probe.Picture1->drawings(), red + 1);
  EXPECT_EQ(barRows(*probe.Picture1, 0x0000FF), 43);  // 200 of 255 over 55 rows
  sample({12, 10}, host::RGB(201, 100, 50));
  EXPECT_GT(probe.Picture7->drawings(), black) << "the grey level moved the black bar";
}

}  // namespace
