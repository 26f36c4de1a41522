#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/core/ColorRef.h"
#include "host/core/Twips.h"

// The mixer panel's arithmetic as plain values (no Qt): the color it takes over from the picker,
// where its sliders stand for a mixed color, the shade slider's step, and where the color-match
// window goes.
namespace MixerModel {

// The color the picker's "#:" box shows (six hexadecimal digits, red first). A pair that is not
// hexadecimal (the box's design text before the first sample) counts as 0.
host::ColorRef colorFromHexText(std::string_view rrggbb);

// Where the panel's sliders stand for `mixColor` (0x00BBGGRR); its texts are ColorText's.
struct View {
  int R = 0;
  int G = 0;
  int B = 0;
  int shade = 0;  // the channels' mean, rounded: the shade slider's position
};
View viewOf(host::ColorRef mixColor);

// The text a channel box gets for `value` (ColorText::decimal), or nothing when it already holds
// the value's plain decimal text (then it and its caret are left alone).
std::optional<std::string> channelBoxText(std::string_view current, int value);

// The shade slider moved from `lastShade` to `shade`: every channel moves by the same distance
// (computed in 16 bits), each clamped to 0..255.
host::ColorRef shadeStep(int R, int G, int B, std::int16_t shade, std::int16_t lastShade);

// The color-match window over the swatch: the swatch's rectangle on the screen, in twips, 30
// twips in from each edge. `frameLeftPx`/`frameTopPx` are the swatch's frame's screen position in
// pixels, `swatch` its place in the frame in twips; each result rounds half to even.
host::TwipsRect matchWindowRect(int frameLeftPx, int frameTopPx, const host::TwipsRect& swatch,
                                double twipsPerPixelX, double twipsPerPixelY);

}  // namespace MixerModel
