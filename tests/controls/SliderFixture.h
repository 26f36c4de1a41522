// A slider laid out like the picker's channel sliders (158 x 14, a 10 x 14 cue, bounds 0 and
// 255, picture style) with five flat pictures of known colors, the window under the pointer
// chosen by the test, mouse input sent as the toolkit delivers it, and the events it raised.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "controls/slider/HSliderBar.h"
#include "host/forms/PictureBox.h"
#include "host/forms/PropertyBag.h"

namespace slidertest {

// Picture colors (0xRRGGBB). Each track's first column is a marker, so a second tile shows.
inline constexpr QRgb kTrack = 0x102030;
inline constexpr QRgb kTrackOver = 0x405060;
inline constexpr QRgb kMarker = 0xC80000;
inline constexpr QRgb kCue = 0x00FF00;
inline constexpr QRgb kCueDown = 0xFF00FF;
inline constexpr QRgb kCueOver = 0x0000FF;
inline constexpr QRgb kBack = 0x010000;  // BackColor 1

struct MouseEventRecord {
  const char* event;
  int button, shift;
  float x, y;
};

class SliderTest : public ::testing::Test {
 protected:
  SliderTest() {
    EXPECT_TRUE(dir.isValid());
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"max", 255},   {"backcolor", 1}, {"borderstyle", 0}, {"style", 1},
        {"autocue", 1}, {"cuewidth", 10}, {"cueheight", 14}};
    for (const auto& [key, v] : numbers)
      bag.WriteProperty(QString::fromLatin1(key), v);
    bag.WriteProperty(QStringLiteral("picture"), picture("track", 157, 14, kTrack, true));
    bag.WriteProperty(QStringLiteral("pictureover"), picture("over", 157, 14, kTrackOver, true));
    bag.WriteProperty(QStringLiteral("picturecue"), picture("cue", 10, 14, kCue));
    bag.WriteProperty(QStringLiteral("picturecuedown"), picture("down", 10, 14, kCueDown));
    bag.WriteProperty(QStringLiteral("picturecueover"), picture("cueover", 10, 14, kCueOver));
  }

  // Builds the slider from `bag` (tests may change it first), shown, with the probe and the
  // event records connected.
  HSliderBar& make(QSize size = {158, 14}) {
    window = std::make_unique<QWidget>();
    window->resize(400, 100);
    slider = new HSliderBar(window.get());
    slider->resize(size);
    slider->load(&bag);
    slider->setWindowUnderPointer([this] { return under; });
    window->show();
    slider->Change.connect([this](std::int32_t& v) { changes.push_back(v); });
    const auto record = [this](const char* name) {
      return [this, name](std::int16_t b, std::int16_t s, float x, float y) {
        events.push_back({name, b, s, x, y});
      };
    };
    slider->MouseDown.connect(record("MouseDown"));
    slider->MouseUp.connect(record("MouseUp"));
    slider->MouseMove.connect(record("MouseMove"));
    return *slider;
  }

  host::PictureRef picture(const char* name, int w, int h, QRgb color, bool marker = false) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    if (marker)
      for (int y = 0; y < h; ++y)
        image.setPixel(0, y, kMarker);
    const QString path = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    EXPECT_TRUE(image.save(path));
    return host::PictureRef{path};
  }

  QRgb pixel(int x, int y = 7) const { return slider->buffer().pixel(x, y) & 0xFFFFFFu; }

  // Mouse input on the surface (or on the cue box) in its own pixels.
  void send(QWidget& w, QEvent::Type type, double x, Qt::MouseButton button,
            Qt::MouseButtons held) {
    const QPointF pos(x, 7);
    QMouseEvent e(type, pos, w.mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
  }
  void press(double x, Qt::MouseButton b = Qt::LeftButton, QWidget* w = nullptr) {
    send(w ? *w : *slider, QEvent::MouseButtonPress, x, b, b);
  }
  void move(double x, Qt::MouseButtons held = Qt::NoButton, QWidget* w = nullptr) {
    send(w ? *w : *slider, QEvent::MouseMove, x, Qt::NoButton, held);
  }
  void release(double x, Qt::MouseButton b = Qt::LeftButton, QWidget* w = nullptr) {
    send(w ? *w : *slider, QEvent::MouseButtonRelease, x, b, Qt::NoButton);
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
  std::vector<MouseEventRecord> events;
};

}  // namespace slidertest
