#include "host/screen/portal/PortalFrame.h"

#include <algorithm>
#include <cstring>

namespace host::portal {

namespace {

// Floor division for the scale mapping: points left of or above the stream map to negative
// frame pixels, which must stay outside rather than round onto column or row 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int clampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// 0x00RRGGBB from the four bytes of one pixel.
std::uint32_t rgbOf(const std::uint8_t* p, PixelOrder order) {
  std::uint32_t r = 0, g = 0, b = 0;
  switch (order) {
    case PixelOrder::BGRx:
      b = p[0], g = p[1], r = p[2];
      break;
    case PixelOrder::RGBx:
      r = p[0], g = p[1], b = p[2];
      break;
    case PixelOrder::xRGB:
      r = p[1], g = p[2], b = p[3];
      break;
    case PixelOrder::xBGR:
      b = p[1], g = p[2], r = p[3];
      break;
  }
  return (r << 16) | (g << 8) | b;
}

}  // namespace

std::optional<Bytes> chunkBytes(const Plane& p) {
  if (p.data == nullptr || p.corrupted || p.size == 0 || p.offset >= p.maxsize) return std::nullopt;
  return Bytes{p.data + p.offset, std::min<std::size_t>(p.size, p.maxsize - p.offset)};
}

bool frameFits(const FrameView& f) {
  if (f.data == nullptr || f.width <= 0 || f.height <= 0) return false;
  const auto rowBytes = static_cast<std::int64_t>(f.width) * 4;
  if (f.stride < rowBytes) return false;
  // The last row needs only its pixels, not its padding.
  const std::int64_t needed = static_cast<std::int64_t>(f.height - 1) * f.stride + rowBytes;
  return needed <= static_cast<std::int64_t>(f.bytes);
}

ColorRef pixelOf(const FrameView& f, int x, int y) {
  if (!frameFits(f) || x < 0 || y < 0 || x >= f.width || y >= f.height) return kInvalidColor;
  const std::uint8_t* p = f.data +
                          static_cast<std::size_t>(y) * static_cast<std::size_t>(f.stride) +
                          static_cast<std::size_t>(x) * 4;
  return fromRgb24(rgbOf(p, f.order));
}

void copyBlock(const FrameView& f, int x, int y, int w, int h, std::uint32_t* out, int outStride) {
  if (w <= 0 || h <= 0) return;
  const bool fits = frameFits(f);
  for (int row = 0; row < h; ++row) {
    std::uint32_t* dst = out + static_cast<std::ptrdiff_t>(row) * outStride;
    const std::int64_t fy = static_cast<std::int64_t>(y) + row;
    if (!fits || fy < 0 || fy >= f.height) {
      std::fill(dst, dst + w, 0xFF000000u);
      continue;
    }
    const std::uint8_t* src =
        f.data + static_cast<std::size_t>(fy) * static_cast<std::size_t>(f.stride);
    for (int col = 0; col < w; ++col) {
      const std::int64_t fx = static_cast<std::int64_t>(x) + col;
      dst[col] = (fx < 0 || fx >= f.width)
                     ? 0xFF000000u
                     : 0xFF000000u | rgbOf(src + static_cast<std::size_t>(fx) * 4, f.order);
    }
  }
}

Point frameToDesktop(const StreamPlacement& s, Point frame) {
  return {clampToInt(static_cast<std::int64_t>(s.x) + frame.x),
          clampToInt(static_cast<std::int64_t>(s.y) + frame.y)};
}

Point desktopToFrame(const StreamPlacement& s, Point desktop) {
  return {clampToInt(static_cast<std::int64_t>(desktop.x) - s.x),
          clampToInt(static_cast<std::int64_t>(desktop.y) - s.y)};
}

Point logicalToDesktop(const StreamPlacement& s, Point logical) {
  // Unscaled until the portal and the frames have both given a size.
  if (s.width <= 0 || s.height <= 0 || s.frameWidth <= 0 || s.frameHeight <= 0) return logical;
  return {clampToInt(
              s.x + floorDiv((static_cast<std::int64_t>(logical.x) - s.x) * s.frameWidth, s.width)),
          clampToInt(s.y + floorDiv((static_cast<std::int64_t>(logical.y) - s.y) * s.frameHeight,
                                    s.height))};
}

std::optional<Point> pointerOnDesktop(const StreamPlacement& s, const CursorMeta& m) {
  if (m.id == 0) return std::nullopt;
  return frameToDesktop(s, {m.x, m.y});
}

std::optional<std::string> parseRestoreToken(std::string_view text) {
  // One trailing line end is how the file is written; anything past it is not ours.
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  if (text.empty() || text.size() > 256) return std::nullopt;
  for (const char c : text) {
    if (c < 0x21 || c > 0x7E) return std::nullopt;
  }
  return std::string(text);
}

}  // namespace host::portal
