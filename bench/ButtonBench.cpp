// One repaint of the owner-drawn button: the mixer button (Style 3, 110 x 29) and 75 x 23
// buttons of Styles 0 and 6, per state (0 Normal, 1 Pressed, 2 Focused, 3 Hot, 4 Checked); and a
// very large glowing one (found by fuzzing: its glow, some two thousand ellipses each painted
// over the last, took seconds per repaint; each glow pixel painted once keeps it to a moment).
#include <benchmark/benchmark.h>

#include "controls/button/CandyButton.h"
#include "host/draw/Fonts.h"
#include "host/forms/Form.h"

namespace {

void repaint(benchmark::State& state, int style, int w, int h, int buttonState) {
  host::Form window;
  auto* button = new CandyButton(&window);
  button->resize(w, h);
  button->load(nullptr);
  button->Enabled(true);
  button->Font(host::designFont(QStringLiteral("Tahoma"), 8.25, true));
  button->Caption(QStringLiteral("ColorMixer »»»"));
  button->ColorScheme(7);
  button->Style(style);
  for (auto _ : state)
    button->Redraw(buttonState);
}

void BM_ButtonStyle3Mixer(benchmark::State& state) {
  repaint(state, 3, 110, 29, static_cast<int>(state.range(0)));
}
void BM_ButtonStyle0(benchmark::State& state) {
  repaint(state, 0, 75, 23, static_cast<int>(state.range(0)));
}
void BM_ButtonStyle6(benchmark::State& state) {
  repaint(state, 6, 75, 23, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ButtonStyle3Mixer)->DenseRange(0, 4);
BENCHMARK(BM_ButtonStyle0)->DenseRange(0, 4);
// Hot (state 3), at Styles 3 and 6, 2739 x 4011 pixels.
void BM_ButtonLargeGlow(benchmark::State& state) {
  repaint(state, static_cast<int>(state.range(0)), 2739, 4011, 3);
}
BENCHMARK(BM_ButtonStyle6)->DenseRange(0, 4);
BENCHMARK(BM_ButtonLargeGlow)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
