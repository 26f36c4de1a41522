// The owner-drawn slider: its properties and their persistence, its painter and its mouse input,
// on a slider laid out like the picker's channel sliders (158 x 14, a 10 x 14 cue over 0..255,
// picture style: the pointer at x centres the cue at x - 5) with five flat pictures of known
// colors, the leave watch ticked by hand and the window under the pointer chosen by the test.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/slider/HSliderBar.h"
#include "host/draw/Canvas.h"
#include "host/forms/FormData.h"
#include "host/forms/PictureBox.h"
#include "host/forms/PropertyBag.h"

namespace {

using SliderModel::Down;
using SliderModel::Normal;
using SliderModel::Over;

// Picture colors (0xRRGGBB). Each track's first column is a marker, so a second tile shows.
constexpr QRgb kTrack = 0x102030, kTrackOver = 0x405060, kMarker = 0xC80000;
constexpr QRgb kCue = 0x00FF00, kCueDown = 0xFF00FF, kCueOver = 0x0000FF;
constexpr QRgb kBack = 0x010000;  // BackColor 1
constexpr Qt::MouseButton L = Qt::LeftButton, R = Qt::RightButton;

class SliderTest : public ::testing::Test {
 protected:
  SliderTest() {
    EXPECT_TRUE(dir.isValid());
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"max", 255},   {"backcolor", 1}, {"borderstyle", 0}, {"style", 1},
        {"autocue", 1}, {"cuewidth", 10}, {"cueheight", 14}};
    for (const auto& [key, v] : numbers)
      bag.WriteProperty(QString::fromLatin1(key), v);
    const struct {
      const char* key;
      int width;
      QRgb color;
    } pictures[] = {{"picture", 157, kTrack},
                    {"pictureover", 157, kTrackOver},
                    {"picturecue", 10, kCue},
                    {"picturecuedown", 10, kCueDown},
                    {"picturecueover", 10, kCueOver}};
    for (const auto& [key, width, color] : pictures) {
      QImage image(width, 14, QImage::Format_RGB32);
      image.fill(color);
      for (int y = 0; width == 157 && y < 14; ++y)  // the tracks' marker
        image.setPixel(0, y, kMarker);
      const QString path = dir.filePath(QString::fromLatin1(key) + QStringLiteral(".png"));
      EXPECT_TRUE(image.save(path));
      bag.WriteProperty(QString::fromLatin1(key), host::PictureRef{path});
    }
  }

  // Builds the slider from `bag` (tests may change it first), shown, with the probe and the
  // Change record connected.
  HSliderBar& make(QSize size = {158, 14}) {
    window = std::make_unique<QWidget>();
    slider = new HSliderBar(window.get());
    slider->resize(size);
    slider->load(&bag);
    slider->setWindowUnderPointer([this] { return under; });
    window->show();
    slider->Change.connect([this](std::int32_t& v) { changes.push_back(v); });
    return *slider;
  }

  QRgb pixel(int x, int y = 7) const { return slider->buffer().pixel(x, y) & 0xFFFFFFu; }

  // Mouse input on the surface (or on the cue box) in its own pixels.
  void send(QWidget* w, QEvent::Type type, double x, Qt::MouseButton button,
            Qt::MouseButtons held) {
    w = w ? w : slider;
    const QPointF pos(x, 7);
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  void press(double x, Qt::MouseButton b = L, QWidget* w = nullptr) {
    send(w, QEvent::MouseButtonPress, x, b, b);
  }
  void move(double x, Qt::MouseButtons held = Qt::NoButton, QWidget* w = nullptr) {
    send(w, QEvent::MouseMove, x, Qt::NoButton, held);
  }
  void release(double x, Qt::MouseButton b = L, QWidget* w = nullptr) {
    send(w, QEvent::MouseButtonRelease, x, b, Qt::NoButton);
  }
  // One tick of the leave watch, as its clock would fire it while it runs.
  void tick() {
    if (slider->tmrTestState().Enabled()) slider->tmrTestState().Tick.raise();
  }

  QTemporaryDir dir;
  host::PropertyBag bag;
  std::unique_ptr<QWidget> window;
  HSliderBar* slider = nullptr;    // owned by the window
  const QWidget* under = nullptr;  // the window under the pointer
  std::vector<std::int32_t> changes;
};

// A bound equal to the other is refused; a value outside the bounds is ignored, and one left
// outside by a new bound is kept. No setter raises Change. A screen reader reads the bounds and
// value, and sets a value inside the bounds as a drag does: the cue moves and Change is raised;
// other values, and any while disabled, are ignored.
TEST_F(SliderTest, ValuesComeOnlyFromInsideTheBounds) {
  make();
  slider->Max(0);
  slider->Min(255);
  slider->value(80);
  slider->value(256);
  slider->Max(50);
  EXPECT_EQ((std::array{slider->Min(), slider->Max(), slider->value()}), (std::array{0, 50, 80}));
  EXPECT_TRUE(changes.empty());
  slider->Max(255);
  slider->value(128);
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(slider);
  EXPECT_EQ(i->role(), QAccessible::Slider);
  QAccessibleValueInterface* v = i->valueInterface();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ((std::array{v->minimumValue(), v->maximumValue(), v->currentValue()}),
            (std::array<QVariant, 3>{0, 255, 128}));
  v->setCurrentValue(0);
  EXPECT_EQ(pixel(3), kCue);
  v->setCurrentValue(256);
  slider->Enabled(false);
  v->setCurrentValue(10);
  EXPECT_EQ(v->currentValue(), QVariant(0));
  EXPECT_EQ(changes, std::vector<std::int32_t>{0});
}

// Everything a bag keeps, as a reloaded copy should show it.
// Stored values are taken as they are (a value beyond Max); bad ones fall back to their defaults
// and are noted, and an absurd size (found by fuzzing: gigabytes of surface for the cue) is drawn
// within the surfaces' limit.
TEST(HSliderBarTest, StoredValuesAreTakenAsTheyAreAndBadOnesFallBackQuietly) {
  const host::FormData data = host::FormData::parse(QStringLiteral(
      "[a]\nmax = 255\nvalue = 500\n"
      "[b]\nmax = \"lots\"\nborderstyle = 70000\npicture = Picture(\":/no/such.png\")\n"
      "cuewidth = 10.5\ncueheight = 13.5\nautocue = 1\n"
      "[c]\n_extentx = 2147483647\n_extenty = 370\ncuewidth = 1e30\ncueheight = 1e30\n"));
  HSliderBar a(nullptr);
  a.load(data.bagFor(QStringLiteral("a")));
  EXPECT_EQ(a.value(), 500);
  HSliderBar b(nullptr);
  b.load(data.bagFor(QStringLiteral("b")));
  EXPECT_EQ((std::array{b.Max(), b.BorderStyle(), b.CueWidth(), b.CueHeight()}),
            (std::array{100, 1, 10, 14}));  // the cue's size read rounded half to even
  EXPECT_EQ(b.Picture().path, QStringLiteral(":/no/such.png"));  // kept, drawn as no picture
  EXPECT_EQ(data.bagFor(QStringLiteral("b"))->problems().size(), 3u);
  HSliderBar c(nullptr);
  c.load(data.bagFor(QStringLiteral("c")));
  c.Refresh();
  EXPECT_LE(c.buffer().width(), host::kMaxSurface);
  EXPECT_LE(c.Cue().buffer().width(), host::kMaxSurface);
  EXPECT_LE(c.Cue().buffer().height(), host::kMaxSurface);
}

// 148 pixels for 255 units: 128 puts the cue's left edge at 74.29, drawn from column 74. The
// 157-pixel track is tiled again from the slider's last column.
TEST_F(SliderTest, TheCueCoversItsColumnsOverTheTiledTrack) {
  for (const auto& [value, from, to] :
       {std::array{0, 0, 9}, {128, 74, 83}, {255, 148, 157}, {2, 1, 10}}) {
    make({158, 30}).value(value);  // as high as the track picture from the first paint
    EXPECT_EQ(slider->height(), 14);
    for (int x = 0; x < 158; ++x) {
      const QRgb track = x == 0 || x == 157 ? kMarker : kTrack;
      ASSERT_EQ(pixel(x), from <= x && x <= to ? kCue : track) << value << " at " << x;
    }
  }
}

// One walk of the pointer: after each step the look and the track and cue pictures it draws
// (Normal, Down, Over), the value, the Changes it raised and whether the leave watch runs.
TEST_F(SliderTest, EachStepOfAWalkLooksMovesAndRaisesAsItShould) {
  make();
  const struct {
    const char* what;
    std::function<void()> act;
    std::int16_t look;
    std::int32_t value;
    std::vector<std::int32_t> raised;
    bool watching = true;
  } steps[] = {
      {"a tick, pointer away", [&] { tick(); }, Normal, 0, {}, false},
      {"right button", [&] { press(40, R), move(41, R), release(42, R); }, Normal, 0, {}, false},
      {"pointer in", [&] { under = slider, move(50); }, Over, 0, {}},
      {"a tick, pointer over", [&] { tick(); }, Over, 0, {}},
      {"press on the cue", [&] { press(5); }, Down, 0, {}},
      {"release on it", [&] { release(5); }, Over, 0, {0}},
      {"press on the track: the cue stays", [&] { press(100); }, Over, 0, {}},
      {"drag to 6 twice, a Change each", [&] { move(6, L), move(6, L); }, Down, 2, {2, 2}},
      {"out past the right end", [&] { under = nullptr, move(400, L); }, Normal, 255, {255}},
      {"past the left end", [&] { move(-50, L); }, Normal, 0, {0}},
      {"back in", [&] { under = slider, move(50, L); }, Down, 78, {78}},
      {"released", [&] { release(50); }, Over, 78, {78}},
      {"a click centres the cue on it", [&] { press(100), release(100); }, Over, 164, {164}},
      {"released outside", [&] { press(60), under = nullptr, release(200); }, Normal, 255, {255}},
      {"a tick, pointer away", [&] { tick(); }, Normal, 255, {}, false},
      {"pointer in again", [&] { under = slider, move(30); }, Over, 255, {}},
      {"disabled: a drag", [&] { slider->Enabled(false), press(5), move(60, L); }, Over, 255, {}},
      {"a tick: no disabled window is under the pointer", [&] { tick(); }, Normal, 255, {}, false},
  };
  const QRgb track[] = {kTrack, kTrackOver, kTrackOver}, cue[] = {kCue, kCueDown, kCueOver};
  for (const auto& s : steps) {
    changes.clear();
    s.act();
    EXPECT_EQ(slider->cueState(), s.look) << s.what;
    EXPECT_EQ(pixel(120), track[s.look]) << s.what;
    EXPECT_EQ(pixel(static_cast<int>(slider->cueGeometry().left) + 5), cue[s.look]) << s.what;
    EXPECT_EQ(slider->value(), s.value) << s.what;
    EXPECT_EQ(changes, s.raised) << s.what;
    EXPECT_EQ(slider->tmrTestState().Enabled(), s.watching) << s.what;
  }
}

// Equal bounds map no position to a value: a drag raises no Change. The painter still draws,
// the cue where the new control laid it out; missing pictures leave the background and no cue.
TEST_F(SliderTest, EqualBoundsAndMissingPicturesStillPaint) {
  bag.WriteProperty(QStringLiteral("min"), std::int32_t{5});
  bag.WriteProperty(QStringLiteral("max"), std::int32_t{5});
  bag.WriteProperty(QStringLiteral("value"), std::int32_t{5});
  make().resize(170, 14);
  slider->Refresh();
  EXPECT_EQ(slider->cueGeometry().left, 9.0f);
  EXPECT_EQ((std::array{pixel(8), pixel(9), pixel(100)}), (std::array{kTrack, kCue, kTrack}));
  under = slider;
  press(100);
  move(30, L);
  release(60);
  EXPECT_EQ(slider->value(), 5);
  EXPECT_TRUE(changes.empty());
  bag.WriteProperty(QStringLiteral("picture"), host::PictureRef{});
  bag.WriteProperty(QStringLiteral("picturecue"), host::PictureRef{});
  make();
  EXPECT_EQ((std::array{pixel(100), pixel(3)}), (std::array{kBack, kBack}));
  EXPECT_FALSE(slider->Cue().isVisible());
}

// The plain style shows the cue box itself, from the top, sized by AutoCue 0 from the range
// (158 \ 10 = 15 pixels, as high as the slider). The box itself is dragged, keeping the offset it
// was grabbed at (its own pixels); the pointer over the box counts as outside the slider.
TEST_F(SliderTest, ThePlainStylesCueBoxIsSizedPlacedAndDragged) {
  bag.WriteProperty(QStringLiteral("style"), std::int32_t{0});
  bag.WriteProperty(QStringLiteral("max"), std::int32_t{10});
  bag.WriteProperty(QStringLiteral("autocue"), std::int32_t{0});
  make().value(10);
  EXPECT_EQ(slider->Cue().geometry(), QRect(143, 0, 15, 14));
  slider->value(0);
  under = slider;
  host::PictureBox& cue = slider->Cue();
  press(3, L, &cue);
  for (const double pointer : {53.0, 80.0, 20.0, 500.0}) {
    move(pointer - cue.x(), L, &cue);
    EXPECT_EQ(static_cast<double>(slider->cueGeometry().left), std::min(pointer - 3, 143.0));
  }
  release(10, L, &cue);
  EXPECT_FALSE(slider->dragging());
  // 50, 77 and 17 pixels on a 143 / 10 scale, then the right end.
  EXPECT_EQ(changes, (std::vector<std::int32_t>{3, 5, 1, 10}));
  move(60);
  ASSERT_EQ(slider->cueState(), Over);
  under = &cue;
  tick();
  EXPECT_FALSE(slider->tmrTestState().Enabled());
  EXPECT_EQ(slider->cueState(), Normal);
}

}  // namespace
