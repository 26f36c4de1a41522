// The magnifier's plan at any cursor, target, factor and screen rectangle: the copied blocks
// and the background strips stay inside the painted area, and the copy stays on the screen.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "zoom/ZoomPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  ZoomInput z;
  z.cursorX = in.ConsumeIntegral<int>();
  z.cursorY = in.ConsumeIntegral<int>();
  z.destX = in.ConsumeIntegral<int>();
  z.destY = in.ConsumeIntegral<int>();
  z.destW = in.ConsumeIntegral<int>();
  z.destH = in.ConsumeIntegral<int>();
  z.factor = in.ConsumeIntegral<int>();
  z.fullPixelsOnly = in.ConsumeBool();
  z.mouseCentered = in.ConsumeBool();
  z.screenLeft = in.ConsumeIntegral<int>();
  z.screenTop = in.ConsumeIntegral<int>();
  // A monitor's size in pixels, possibly fractional (twips over twips per pixel).
  z.screenWidth = in.ConsumeIntegral<int>() / static_cast<double>(in.ConsumeIntegralInRange(1, 16));
  z.screenHeight =
      in.ConsumeIntegral<int>() / static_cast<double>(in.ConsumeIntegralInRange(1, 16));

  const ZoomPlan p = planZoom(z);
  if (p.fillCount < 0 || p.fillCount > 4) std::abort();
  if (!p.copies()) return 0;
  // Relative to the target's corner, in 64 bits so the check itself cannot overflow.
  const std::int64_t right = std::int64_t{p.offX} + std::int64_t{z.factor} * p.cols;
  const std::int64_t bottom = std::int64_t{p.offY} + std::int64_t{z.factor} * p.rows;
  if (p.offX < 0 || p.offY < 0 || right > p.fullW || bottom > p.fullH) std::abort();
  if (p.sx < z.screenLeft || p.sy < z.screenTop) std::abort();
  if (p.sx + static_cast<double>(p.cols) > z.screenLeft + z.screenWidth + 0.5) std::abort();
  if (p.sy + static_cast<double>(p.rows) > z.screenTop + z.screenHeight + 0.5) std::abort();
  return 0;
}
