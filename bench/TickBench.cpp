// The cost of one sampling tick (fake screen, every control written offscreen) and of one real
// one-pixel read of the screen (on an X server; skipped on the offscreen platform).
#include <benchmark/benchmark.h>

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QWindow>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "host/screen/QtScreenSource.h"

namespace {

// Every pixel a color of its own: red x, green y, blue their product.
QImage chart() {
  QImage image(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      image.setPixel(x, y, qRgb(x, y, (x * y) & 255));
  return image;
}

// One tick a iteration, a new color every tick, so every readout and bar really changes.
void runTicks(benchmark::State& state, FakeScreenSource& screen, ColorPickerProbe& probe) {
  int i = 0;
  for (auto _ : state) {
    screen.setCursor(QPoint(i % 256, (i * 7) % 256));
    probe.Timer1_Timer();
    ++i;
  }
}

void BM_SamplingTickFakeScreen(benchmark::State& state) {
  FakeScreenSource screen(chart());
  ColorPicker picker(screen);
  ColorPickerProbe probe(picker);
  runTicks(state, screen, probe);
}
BENCHMARK(BM_SamplingTickFakeScreen)->MeasureProcessCPUTime()->UseRealTime();

// The same tick with the window shown, its repaint and upload included (the black bar's painter
// lets the repaint run): on an X server, the readouts' whole cost.
void BM_SamplingTickShown(benchmark::State& state) {
  FakeScreenSource screen(chart());
  ColorPicker picker(screen);
  ColorPickerProbe probe(picker);
  picker.Show();
  for (int waited = 0; !picker.windowHandle()->isExposed() && waited < 5000; waited += 10)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  if (!picker.windowHandle()->isExposed()) {
    state.SkipWithError("the window was not shown");
    return;
  }
  runTicks(state, screen, probe);
}
BENCHMARK(BM_SamplingTickShown)->MeasureProcessCPUTime()->UseRealTime();

void BM_RealOnePixelRead(benchmark::State& state) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
    state.SkipWithError("needs an X server (run bench/run)");
    return;
  }
  host::QtScreenSource source;
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(source.pixel(QPoint(i % 640, 100)));
    ++i;
  }
}
BENCHMARK(BM_RealOnePixelRead)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
