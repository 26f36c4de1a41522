// The screen-cast stream's arithmetic on anything a producer or a portal could describe: a
// plane's chunk cut to its mapped bytes, pixels and blocks read from frames of any size, stride
// and byte order over exactly the memory the chunk covers (a read past it is the sanitizer's to
// see), points mapped at any placement, and any stored text taken for a token or not.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/screen/portal/PortalFrame.h"

using namespace host::portal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // The mapped memory, an allocation of its own size.
  const std::vector<std::uint8_t> mapped =
      in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 4096));
  Plane plane;
  plane.data = mapped.empty() ? nullptr : mapped.data();
  plane.maxsize = static_cast<std::uint32_t>(mapped.size());
  plane.offset = in.ConsumeIntegral<std::uint32_t>();
  plane.size = in.ConsumeIntegral<std::uint32_t>();
  plane.corrupted = in.ConsumeBool();
  const auto chunk = chunkBytes(plane);
  if (chunk && (chunk->size == 0 || chunk->data < mapped.data() ||
                chunk->data + chunk->size > mapped.data() + mapped.size())) {
    std::abort();
  }

  FrameView f;
  if (chunk) {
    f.data = chunk->data;
    f.bytes = chunk->size;
  }
  f.width = in.ConsumeIntegral<int>();
  f.height = in.ConsumeIntegral<int>();
  f.stride = in.ConsumeIntegral<int>();
  f.order = static_cast<PixelOrder>(in.ConsumeIntegralInRange(0, 3));
  const int px = in.ConsumeIntegral<int>(), py = in.ConsumeIntegral<int>();
  const host::ColorRef pixel = pixelOf(f, px, py);
  const bool inside = frameFits(f) && px >= 0 && py >= 0 && px < f.width && py < f.height;
  if ((pixel == host::kInvalidColor) == inside) std::abort();

  // A block around any point; where it covers a frame pixel it holds that pixel's color.
  const int w = in.ConsumeIntegralInRange(0, 32), h = in.ConsumeIntegralInRange(0, 32);
  const int bx = in.ConsumeIntegral<int>(), by = in.ConsumeIntegral<int>();
  std::vector<std::uint32_t> block(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  copyBlock(f, bx, by, w, h, block.data(), w);
  if (inside) {
    const std::int64_t col = std::int64_t{px} - bx, row = std::int64_t{py} - by;
    if (col >= 0 && row >= 0 && col < w && row < h &&
        block[static_cast<std::size_t>(row * w + col)] != (0xFF000000u | host::toRgb24(pixel))) {
      std::abort();
    }
  }

  StreamPlacement s;
  s.x = in.ConsumeIntegral<int>();
  s.y = in.ConsumeIntegral<int>();
  s.width = in.ConsumeIntegral<int>();
  s.height = in.ConsumeIntegral<int>();
  s.frameWidth = in.ConsumeIntegral<int>();
  s.frameHeight = in.ConsumeIntegral<int>();
  const Point logical{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
  (void)logicalToDesktop(s, logical);
  (void)desktopToFrame(s, frameToDesktop(s, logical));

  const std::string text = in.ConsumeRemainingBytesAsString();
  if (const auto token = parseRestoreToken(text)) {
    if (token->empty() || token->size() > 256) std::abort();
    for (const char c : *token) {
      if (c < 0x21 || c > 0x7E) std::abort();
    }
  }
  return 0;
}
