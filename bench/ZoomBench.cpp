// One magnifier tick on the picker's 75 x 74 box at 5x, 15x and 25x, against a fake screen and
// the real one (the X display's shared-memory reads, and the toolkit's grabs for comparison),
// painting every time (the box cleared in between, as a moving pointer makes it) and with
// nothing changed (a still pointer over a still screen: read and compare, no paint); one real
// pointer query and one real 75 x 74 read each way; and building the rounded window regions.
#include <benchmark/benchmark.h>

#include <QCursor>
#include <QGuiApplication>

#include "FakeScreenSource.h"
#include "host/draw/Region.h"
#include "host/forms/PictureBox.h"
#include "host/screen/QtScreenSource.h"
#include "host/screen/X11ScreenSource.h"
#include "zoom/CZoom.h"

namespace {

void zoomTicks(benchmark::State& state, host::ScreenSource& screen, bool repaint = true) {
  host::PictureBox box(nullptr);
  box.BorderStyle(host::PictureBox::BorderStyleKind::None);
  box.resize(75, 74);
  box.ScaleMode(host::PictureBox::ScaleModeKind::Pixels);
  CZoom zoom(screen);
  zoom.ZoomFactor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (repaint) box.Cls();
    zoom.ZoomCanvas(box);
  }
}

bool onX(benchmark::State& state) {
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) return true;
  state.SkipWithError("needs an X server (run bench/run)");
  return false;
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
  if (!onX(state)) return;
  QCursor::setPos(600, 500);
  const auto screen = host::X11ScreenSource::create();
  zoomTicks(state, *screen);
}
BENCHMARK(BM_ZoomTickRealScreen)->Arg(5)->Arg(15)->Arg(25)->MeasureProcessCPUTime()->UseRealTime();

void BM_ZoomTickRealScreenStill(benchmark::State& state) {
  if (!onX(state)) return;
  QCursor::setPos(600, 500);
  const auto screen = host::X11ScreenSource::create();
  zoomTicks(state, *screen, false);
}
BENCHMARK(BM_ZoomTickRealScreenStill)->Arg(5)->MeasureProcessCPUTime()->UseRealTime();

void BM_ZoomTickToolkitScreen(benchmark::State& state) {
  if (!onX(state)) return;
  QCursor::setPos(600, 500);
  host::QtScreenSource screen;
  zoomTicks(state, screen);
}
BENCHMARK(BM_ZoomTickToolkitScreen)->Arg(5)->MeasureProcessCPUTime()->UseRealTime();

void BM_RealPointerQuery(benchmark::State& state) {
  if (!onX(state)) return;
  const auto screen = host::X11ScreenSource::create();
  for (auto _ : state)
    benchmark::DoNotOptimize(screen->queryPointer());
}
BENCHMARK(BM_RealPointerQuery)->MeasureProcessCPUTime()->UseRealTime();

void BM_RealRead75x74SharedMemory(benchmark::State& state) {
  if (!onX(state)) return;
  const auto screen = host::X11ScreenSource::create();
  // Two places in turn: a read of the same place as last time would be answered from it.
  int x = 600;
  for (auto _ : state) {
    x ^= 1;
    benchmark::DoNotOptimize(screen->grab(QRect(x, 500, 75, 74)).constBits());
  }
}
BENCHMARK(BM_RealRead75x74SharedMemory)->MeasureProcessCPUTime()->UseRealTime();

void BM_RealRead75x74Toolkit(benchmark::State& state) {
  if (!onX(state)) return;
  host::QtScreenSource screen;
  for (auto _ : state)
    benchmark::DoNotOptimize(screen.grab(QRect(600, 500, 75, 74)).constBits());
}
BENCHMARK(BM_RealRead75x74Toolkit)->MeasureProcessCPUTime()->UseRealTime();

void BM_RoundRectRegion(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(host::CreateRoundRectRgn(0, 0, w, 235, 7, 7).toQRegion().rectCount());
  }
}
BENCHMARK(BM_RoundRectRegion)->Arg(317)->Arg(571);

}  // namespace
