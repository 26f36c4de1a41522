// Opening the mixer panel: the window widened, reshaped and refilled with its gradient, and the
// frozen color shown in every control of the panel (the window shown, so it really repaints).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>

#include "ColorPickerProbe.h"
#include "FakeScreenSource.h"
#include "host/forms/Forms.h"
#include "host/platform/Platform.h"

namespace {

void BM_OpenMixerPanel(benchmark::State& state) {
  host::setBeepHandler([](int, int) {});
  FakeScreenSource screen(QImage(64, 64, QImage::Format_RGB32));
  screen.fill(host::RGB(255, 128, 0));
  ColorPicker picker(screen);
  ColorPickerProbe probe(picker);
  picker.Show();
  probe.Timer1_Timer();
  probe.Check1->Value(0);
  for (auto _ : state) {
    probe.btn_Mixer_Click();            // open
    QCoreApplication::processEvents();  // and paint
    state.PauseTiming();
    probe.btn_Mixer_Click();  // close
    QCoreApplication::processEvents();
    probe.Check1->Value(0);
    state.ResumeTiming();
  }
  host::setBeepHandler(nullptr);
}
BENCHMARK(BM_OpenMixerPanel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
