#include "AlphaAnim.h"

#include "host/forms/Form.h"
#include "host/forms/Forms.h"

namespace AlphaAnim {

namespace {

// One frame: the window at `curW` x `curH` twips around the centre of (L, T, W, H), shown and
// redrawn at once. Positions are single precision, as the window's properties are.
void frame(host::Form& window, float L, float T, float W, float H, float curW, float curH) {
  // Computed in single precision, as the animation's positions are; widened to place the window.
  window.Move(static_cast<double>((W - curW) / 2 + L), static_cast<double>((H - curH) / 2 + T),
              static_cast<double>(curW), static_cast<double>(curH));
  window.setVisible(true);
  window.repaint();
}

}  // namespace

void AnimateForm(host::Form& window, int steps, int pause, std::string_view effect) {
  if (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
  if (steps < 1 || (effect != "in" && effect != "out")) return;
  const int left = window.Left();
  const int top = window.Top();
  const int width = window.Width();
  const int height = window.Height();
  const auto L = static_cast<float>(left);
  const auto T = static_cast<float>(top);
  const auto H = static_cast<float>(height);
  const auto W = static_cast<float>(width);
  const float dH = H / static_cast<float>(steps);
  const float dW = W / static_cast<float>(steps);

  if (effect == "in") {
    float curH = 0;
    float curW = 0;
    for (int i = 1; i <= steps; ++i) {
      curH += dH;
      curW += dW;
      frame(window, L, T, W, H, curW, curH);
      host::Sleep(pause);
    }
  } else {
    float curH = H;
    float curW = W;
    for (int i = 1; i < steps; ++i) {
      curH -= dH;
      curW -= dW;
      frame(window, L, T, W, H, curW, curH);
      host::Sleep(pause);
    }
    window.setVisible(false);
  }
  window.Move(static_cast<double>(L), static_cast<double>(T), static_cast<double>(W),
              static_cast<double>(H));
}

}  // namespace AlphaAnim
