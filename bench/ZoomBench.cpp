// One magnifier tick on the picker's 75 x 74 box at 5x, 15x and 25x, against a fake screen and
// the real one; and building the picker's rounded window regions.
#include <benchmark/benchmark.h>

#include <QCursor>
#include <QGuiApplication>

#include "FakeScreenSource.h"
#include "host/PictureBox.h"
#include "host/Region.h"
#include "zoom/CZoom.h"

namespace {

void zoomTicks(benchmark::State& state, host::ScreenSource& screen) {
  host::PictureBox box(nullptr);
  box.BorderStyle(host::PictureBox::BorderStyleKind::None);
  box.resize(75, 74);
  box.ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  CZoom zoom(screen);
  zoom.ZoomFactor(static_cast<int>(state.range(0)));
  for (auto _ : state)
    zoom.ZoomCanvas(box);
}

void BM_ZoomTickFakeScreen(benchmark::State& state) {
  QImage image(1280, 1024, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  FakeScreenSource screen(image);
  screen.setCursor(QPoint(600, 500));
  zoomTicks(state, screen);
}
BENCHMARK(BM_ZoomTickFakeScreen)->Arg(5)->Arg(15)->Arg(25)->MeasureProcessCPUTime()->UseRealTime();

void BM_ZoomTickRealScreen(benchmark::State& state) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
    state.SkipWithError("needs an X server (run bench/run)");
    return;
  }
  QCursor::setPos(600, 500);
  host::QtScreenSource screen;
  zoomTicks(state, screen);
}
BENCHMARK(BM_ZoomTickRealScreen)->Arg(5)->Arg(15)->Arg(25)->MeasureProcessCPUTime()->UseRealTime();

void BM_RoundRectRegion(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(host::CreateRoundRectRgn(0, 0, w, 235, 7, 7).toQRegion().rectCount());
  }
}
BENCHMARK(BM_RoundRectRegion)->Arg(317)->Arg(571);

}  // namespace
