// The sampling tick against a fake screen, offscreen: every readout and bar the user sees.
#include <gtest/gtest.h>

#include "FakeScreenSource.h"
#include "host/Convert.h"
#include "host/Label.h"
#include "host/PictureBox.h"
#include "host/TextBox.h"
#include "picker/ColorPicker.h"
#include "picker/twProgressBar.h"

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

// Expected bar height in pixels for value v of maximum m over h rows: the bar runs from the
// bottom edge up to the row where the scale's m - v falls.
int expectedRows(int v, int m, int h) {
  return h - host::roundHalfEven(static_cast<double>(m - v) * h / m);
}

class TickTest : public ::testing::Test {
 protected:
  TickTest() : screen(QImage(200, 100, QImage::Format_RGB32), QPoint(-100, 0)), picker(screen) {}

  void sample(QPoint at, host::ColorRef color) {
    screen.fill(color);
    screen.setCursor(at);
    picker.Timer1_Timer();
  }

  FakeScreenSource screen;
  ColorPicker picker;
};

struct TickCase {
  const char* what;
  QPoint at;
  host::ColorRef color;
  const char* mouse;
  std::array<const char*, 3> rgb;
  const char* hex;
  const char* vbLong;
  std::array<const char*, 3> hsb;
  const char* grey;
  std::array<const char*, 4> cmyk;
};

class TickTable : public TickTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TickTable, WritesEveryReadoutAndBar) {
  const TickCase& p = GetParam();
  sample(p.at, p.color);
  EXPECT_EQ(picker.lbl_mouse->Caption().toStdString(), p.mouse);
  EXPECT_EQ(picker.lbl_color->BackColor(), p.color & 0xFFFFFFu);
  EXPECT_EQ(picker.lbl_red->Caption().toStdString(), p.rgb[0]);
  EXPECT_EQ(picker.lbl_green->Caption().toStdString(), p.rgb[1]);
  EXPECT_EQ(picker.lbl_blue->Caption().toStdString(), p.rgb[2]);
  EXPECT_EQ(picker.txt_Hex->Text().toStdString(), p.hex);
  EXPECT_EQ(picker.txt_vbcode->Text().toStdString(), p.vbLong);
  EXPECT_EQ(picker.lbl_Hue->Caption().toStdString(), p.hsb[0]);
  EXPECT_EQ(picker.lbl_Lum->Caption().toStdString(), p.hsb[1]);
  EXPECT_EQ(picker.lbl_Sat->Caption().toStdString(), p.hsb[2]);
  for (const host::Label* l : std::initializer_list<const host::Label*>{
           picker.lbl_gryR, picker.lbl_gryG, picker.lbl_gryB}) {
    EXPECT_EQ(l->Caption().toStdString(), p.grey);
  }
  const int grey = std::stoi(p.grey);
  EXPECT_EQ(picker.lbl_Grey->BackColor(), host::RGB(grey, grey, grey));
  EXPECT_EQ(picker.lbl_C->Caption().toStdString(), p.cmyk[0]);
  EXPECT_EQ(picker.lbl_M->Caption().toStdString(), p.cmyk[1]);
  EXPECT_EQ(picker.lbl_Y->Caption().toStdString(), p.cmyk[2]);
  EXPECT_EQ(picker.lbl_K->Caption().toStdString(), p.cmyk[3]);

  const struct {
    host::PictureBox* box;
    host::ColorRef color;
    int value;
    int max;
  } bars[] = {
      {picker.Picture1, 0x0000FF, std::stoi(p.rgb[0]), 255},
      {picker.Picture2, 0x00FF00, std::stoi(p.rgb[1]), 255},
      {picker.Picture3, 0xFF0000, std::stoi(p.rgb[2]), 255},
      {picker.Picture4, 0xFFFF00, std::stoi(p.cmyk[0]), 100},
      {picker.Picture5, 0xFF00FF, std::stoi(p.cmyk[1]), 100},
      {picker.Picture6, 0x00FFFF, std::stoi(p.cmyk[2]), 100},
      {picker.Picture7, 0x000000, std::stoi(p.cmyk[3]), 100},
  };
  for (const auto& bar : bars) {
    const int h = bar.box->innerHeight();
    const int rows = expectedRows(bar.value, bar.max, h);
    EXPECT_EQ(barRows(*bar.box, bar.color), rows) << bar.box->objectName().toStdString();
    EXPECT_EQ(rowsFromTop(*bar.box, 0xFFFFFF), h - rows) << bar.box->objectName().toStdString();
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Colors, TickTable,
    ::testing::Values(
        TickCase{"orange", {40, 60}, 0x0080FF, "X: 40  Y: 60", {"255", "128", "0"}, "FF8000",
                 "&H0080FF&", {"30°", "100", "100"}, "147", {"0 %", "50 %", "100 %", "0 %"}},
        TickCase{"leftOfPrimary", {-100, 0}, 0x000000, "X: -100  Y: 0", {"0", "0", "0"}, "000000",
                 "&H000000&", {"0°", "0", "0"}, "0", {"100 %", "100 %", "100 %", "100 %"}},
        // Off the fake screen: the invalid color, and white everywhere.
        TickCase{"offScreen", {-300, -20}, host::kInvalidColor, "X: -300  Y: -20",
                 {"255", "255", "255"}, "FFFFFF", "&HFFFFFF&", {"0°", "0", "100"}, "255",
                 {"0 %", "0 %", "0 %", "0 %"}}),
    [](const auto& param_info) { return std::string(param_info.param.what); });
// clang-format on });

TEST_F(TickTest, AnUnreadablePixelDoesNotStopTheNextTick) {
  sample({-300, -300}, 0x0080FF);
  EXPECT_EQ(picker.txt_Hex->Text(), QStringLiteral("FFFFFF"));
  sample({10, 10}, 0x0080FF);
  EXPECT_EQ(picker.txt_Hex->Text(), QStringLiteral("FF8000"));
  EXPECT_EQ(picker.lbl_color->BackColor(), 0x0080FFu);
}

TEST_F(TickTest, BarAboveItsMaximumLeavesThePreviousBar) {
  sample({10, 10}, host::RGB(128, 0, 0));
  const QImage before = picker.Picture1->buffer();
  twProgressBar::DrawBarRed(*picker.Picture1, 255, 256, 256);
  EXPECT_EQ(picker.Picture1->buffer(), before);
  // A negative value clears and draws nothing visible.
  twProgressBar::DrawBarRed(*picker.Picture1, 255, -5, -5);
  EXPECT_EQ(barRows(*picker.Picture1, 0xFFFFFF), picker.Picture1->innerHeight());
}

}  // namespace
