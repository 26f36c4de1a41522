#include "MixerModel.h"

#include <algorithm>

#include "color/ColorText.h"
#include "color/modXLat.h"
#include "host/core/Convert.h"

namespace MixerModel {

host::ColorRef colorFromHexText(std::string_view rrggbb) {
  auto channel = [&](std::size_t at) {
    const std::int32_t v = at < rrggbb.size() ? modXLat::HexToLong(rrggbb.substr(at, 2)) : 0;
    return v < 0 || v > 255 ? 0 : static_cast<int>(v);
  };
  // The last two characters are blue, however long the text is.
  const std::size_t blueAt = rrggbb.size() >= 2 ? rrggbb.size() - 2 : rrggbb.size();
  return host::RGB(channel(0), channel(2), channel(blueAt));
}

View viewOf(host::ColorRef mixColor) {
  View v;
  v.R = static_cast<int>(mixColor & 0xFF);
  v.G = static_cast<int>((mixColor & 0xFF00) / 256);
  v.B = static_cast<int>((mixColor & 0xFF0000) / 65536);
  // A third never ends in one half, so the rounding has no ties to settle.
  v.shade = host::roundHalfEven((v.R + v.G + v.B) / 3.0);
  return v;
}

std::optional<std::string> channelBoxText(std::string_view current, int value) {
  if (current == std::to_string(value)) return std::nullopt;
  return ColorText::decimal(value);
}

host::ColorRef shadeStep(int R, int G, int B, std::int16_t shade, std::int16_t lastShade) {
  const auto delta = static_cast<std::int16_t>(shade - lastShade);
  auto moved = [delta](int c) { return std::clamp(c + delta, 0, 255); };
  return host::RGB(moved(R), moved(G), moved(B));
}

host::TwipsRect matchWindowRect(int frameLeftPx, int frameTopPx, const host::TwipsRect& swatch,
                                double twipsPerPixelX, double twipsPerPixelY) {
  return host::TwipsRect{host::roundHalfEven(twipsPerPixelX * frameLeftPx + swatch.left + 30),
                         host::roundHalfEven(frameTopPx * twipsPerPixelY + swatch.top + 30),
                         swatch.width - 60, swatch.height - 60};
}

}  // namespace MixerModel
