// One mouse move delivered to a window: plain, through a message hook whose receiver takes the
// message after the window (as the button's does), and to the mixer button itself (hook, its own
// handling and the hover logic, the pointer already inside).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "controls/button/CandyButton.h"
#include "host/platform/MessageHook.h"

namespace {

class Quiet final : public host::MessageReceiver {
 public:
  void WindowProcReceiver(bool, bool&, std::int32_t&, QWidget*, std::uint32_t, std::uint32_t,
                          std::int32_t, std::int32_t& userValue) override {
    ++userValue;
  }
};

void moves(benchmark::State& state, QWidget& window) {
  window.setMouseTracking(true);
  QMouseEvent move(QEvent::MouseMove, QPointF(12, 9), QPointF(112, 109), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  for (auto _ : state)
    QApplication::sendEvent(&window, &move);
}

void BM_MouseMovePlain(benchmark::State& state) {
  QWidget window;
  moves(state, window);
}

void BM_MouseMoveHooked(benchmark::State& state) {
  QWidget window;
  Quiet receiver;
  host::MessageHook hook("Bench", receiver);
  hook.sc_Subclass(&window);
  hook.sc_AddMessage(&window, static_cast<std::int32_t>(host::kWmMouseMove), host::kMsgAfter);
  hook.sc_AddMessage(&window, static_cast<std::int32_t>(host::kWmMouseLeave), host::kMsgAfter);
  moves(state, window);
}

void BM_MouseMoveMixerButton(benchmark::State& state) {
  QWidget window;
  auto* button = new CandyButton(&window);
  button->resize(110, 29);
  const host::PropertyBag stored;
  button->load(&stored);
  moves(state, *button);
}

BENCHMARK(BM_MouseMovePlain);
BENCHMARK(BM_MouseMoveHooked);
BENCHMARK(BM_MouseMoveMixerButton);

}  // namespace
