// The picker where the machine works against it: a screen that stops answering, a pointer off
// every screen, stored form data that is garbage. Each ends in a quiet fallback (white readouts,
// the magnifier's background, design defaults, a line in the log), never a crash or a box.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "RecordingReporter.h"
#include "controls/button/CandyButton.h"
#include "controls/slider/HSliderBar.h"
#include "host/draw/SystemColors.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/TextBox.h"
#include "host/platform/Platform.h"

namespace {

// A fake screen that can stop answering: the pointer and the monitors stay known, but no pixel
// and no image comes back, as when the display refuses every read.
class BreakableScreen final : public host::ScreenSource {
 public:
  FakeScreenSource real{QImage(400, 300, QImage::Format_RGB32)};
  bool broken = false;

  QPoint cursorPos() override { return real.cursorPos(); }
  host::ColorRef pixel(QPoint p) override { return broken ? host::kInvalidColor : real.pixel(p); }
  QImage grab(const QRect& r) override { return broken ? QImage() : real.grab(r); }
  std::optional<QRect> screenGeometryAt(QPoint p) override {
    return broken ? std::optional<QRect>(QRect(0, 0, 400, 300)) : real.screenGeometryAt(p);
  }
};

// A loaded picker (start-up tones silenced) over `screen`, its stored design read from `form`.
struct LoadedPicker {
  explicit LoadedPicker(host::ScreenSource& screen, const QString& form = {})
      : picker(screen, nullptr, form.isEmpty() ? QStringLiteral(":/forms/ColorPicker.txt") : form) {
    host::setBeepHandler([](int, int) {});
    picker.Show();
  }
  ~LoadedPicker() { host::setBeepHandler(nullptr); }
  void tick() {
    probe.Timer1_Timer();
    probe.Timer_Timer();
  }
  // Pixels of the magnifier's inner area that are not its background.
  int zoomPixelsOffBackground() {
    const QRgb back = host::toRgb24(host::translateColor(probe.Pic_zoom->BackColor(), 0));
    int n = 0;
    for (int y = 0; y < probe.Pic_zoom->innerHeight(); ++y)
      for (int x = 0; x < probe.Pic_zoom->innerWidth(); ++x)
        n += (probe.Pic_zoom->buffer().pixel(x, y) & 0xFFFFFFu) != back;
    return n;
  }
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

struct ScreenCase {
  const char* name;
  QPoint cursor;
  bool unreadable;
};

class HostileScreenTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(HostileScreenTest, ReadoutsTurnWhiteAndTheMagnifierShowsItsBackground) {
  const ScreenCase& c = GetParam();
  RecordingReporter reporter;
  BreakableScreen screen;
  screen.real.fill(host::RGB(255, 128, 0));
  screen.real.setCursor({200, 150});
  LoadedPicker p(screen);
  p.tick();
  ASSERT_EQ(p.probe.txt_Hex->Text(), QStringLiteral("FF8000"));
  ASSERT_GT(p.zoomPixelsOffBackground(), 0);

  screen.real.setCursor(c.cursor);
  screen.broken = c.unreadable;
  for (int i = 0; i < 3; ++i)
    p.tick();
  EXPECT_EQ(p.probe.lbl_mouse->Caption(),
            QStringLiteral("X: %1  Y: %2").arg(c.cursor.x()).arg(c.cursor.y()));
  EXPECT_EQ(p.probe.txt_Hex->Text(), QStringLiteral("FFFFFF"));
  EXPECT_EQ(p.probe.lbl_color->BackColor(), 0xFFFFFFu);
  EXPECT_EQ(p.probe.lbl_red->Caption(), QStringLiteral("255"));
  EXPECT_EQ(p.zoomPixelsOffBackground(), 0);
  EXPECT_TRUE(reporter.boxes.empty());
  EXPECT_TRUE(reporter.log.empty());
  // The screen answering again, the next tick reads it.
  screen.real.setCursor({200, 150});
  screen.broken = false;
  p.tick();
  EXPECT_EQ(p.probe.txt_Hex->Text(), QStringLiteral("FF8000"));
}

INSTANTIATE_TEST_SUITE_P(
    Picker, HostileScreenTest,
    ::testing::Values(ScreenCase{"EveryReadFails", {200, 150}, true},
                      ScreenCase{"PointerFarAboveLeft", {-5000, -5000}, false},
                      ScreenCase{"PointerAtTheCoordinateLimit", {32767, 32767}, false}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

struct FormCase {
  const char* name;
  const char* text;
  int problems;  // entries in the log, at least
};

class HostileFormDataTest : public ::testing::TestWithParam<FormCase> {};

// Whatever the stored design holds, the window opens with the design's defaults where a value
// would not do, and the log lists what was skipped; no box interrupts the start.
TEST_P(HostileFormDataTest, WindowOpensWithDefaultsAndTheLogSaysWhy) {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("form.txt")));
  if (GetParam().text != nullptr) {
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().text);
    file.close();
  }
  RecordingReporter reporter;
  BreakableScreen screen;
  LoadedPicker p(screen, file.fileName());
  p.tick();
  EXPECT_TRUE(p.picker.isVisible());
  EXPECT_EQ(p.probe.btn_Mixer->Style(), 0);
  EXPECT_EQ(p.probe.hsbRGB[0]->Max(), 100);
  EXPECT_TRUE(p.probe.hsbRGB[0]->Picture().path.isEmpty() ||
              p.probe.hsbRGB[0]->Picture().path == QStringLiteral(":/forms/ColorPicker.txt"));
  EXPECT_GE(static_cast<int>(reporter.log.size()), GetParam().problems);
  for (const QString& line : reporter.log)
    EXPECT_TRUE(line.startsWith(QStringLiteral("stored form data of ColorPicker: ")))
        << qPrintable(line);
  EXPECT_TRUE(reporter.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Picker, HostileFormDataTest,
    ::testing::Values(
        FormCase{"EveryLineGarbage", "\x01\x02\x03\n= 5\n[btn_Mixer\nStyle 3\n\xff\xfe\n", 5},
        FormCase{"RepeatedKeyOutOfRangeAndAPictureThatDoesNotDecode",
                 "[btn_Mixer]\nStyle = 3\nStyle = \"three\"\nColorScheme = 99999999999\n"
                 "Picture = Picture(\":/forms/ColorPicker.txt\")\n"
                 "[hsbRGB(0)]\nmax = 1e40\nmax = \"lots\"\n"
                 "picture = Picture(\":/forms/ColorPicker.txt\")\n",
                 5},
        FormCase{"MissingAltogether", nullptr, 1}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
