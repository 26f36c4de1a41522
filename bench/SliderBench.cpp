// One full repaint of a picture-style slider, as a drag runs it on every mouse move: a channel
// slider (158 x 14, two track tiles) and the shade slider (201 x 14), from the mixer's stored
// form data, per drawing state (0 Normal, 1 Down, 2 Over).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include "controls/slider/HSliderBar.h"
#include "host/forms/FormData.h"

namespace {

void repaint(benchmark::State& state, const char* section) {
  const host::FormData stored = host::FormData::load(QStringLiteral(":/forms/ColorPicker.txt"));
  QWidget window;
  auto* slider = new HSliderBar(&window);
  slider->load(stored.bagFor(QString::fromLatin1(section)));
  slider->setWindowUnderPointer([slider] { return slider; });
  slider->value(128);
  // Bring the slider into the state: a move in gives Over, a press on the cue Down.
  const auto send = [slider](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF pos(slider->cueGeometry().left + 5, 7);
    QMouseEvent e(type, pos, slider->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(slider, &e);
  };
  const auto look = state.range(0);
  if (look != SliderModel::Normal) send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
  if (look == SliderModel::Down) send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
  if (slider->cueState() != look) state.SkipWithError("the slider is not in the wanted state");
  for (auto _ : state)
    slider->Refresh();
}

void BM_SliderChannel(benchmark::State& state) {
  repaint(state, "hsbRGB(0)");
}
void BM_SliderShade(benchmark::State& state) {
  repaint(state, "hsbShade");
}
BENCHMARK(BM_SliderChannel)->DenseRange(0, 2);
BENCHMARK(BM_SliderShade)->DenseRange(0, 2);

}  // namespace
