#pragma once

#include <cstdint>
#include <optional>

// The slider's value/pixel arithmetic as plain functions (no Qt). Positions and sizes are pixels
// of the slider's inner area (its surface without the border); the cue's left edge runs from 0
// (the value at Min) to inner width - cue width (the value at Max). Reversed bounds (Max < Min)
// give a negative unit width, so the same formulas run from Min at the left down to Max.
namespace SliderModel {

// The drawing states of the cue and track.
enum CueState : std::int16_t { Normal = 0, Down = 1, Over = 2 };

// Whether the value setter takes `v`: inside the bounds either way round; nothing when they are
// equal.
bool accepts(std::int32_t min, std::int32_t max, std::int32_t v);

// Pixels per value unit: (inner width - cue width) / (max - min). No value for equal bounds.
// The difference of the bounds is taken without 32-bit overflow.
std::optional<double> unitWidth(double innerWidth, double cueWidth, std::int32_t min,
                                std::int32_t max);

// Where the cue's left edge goes for `value`: (value - min) * unitWidth, held as a single.
float cueLeftFor(std::int32_t value, std::int32_t min, double unitWidth);

// The value of a cue position: cueLeft / unitWidth + min, rounded half to even into 32 bits. No
// value where unitWidth is 0 (a cue as wide as the inner area).
std::optional<std::int32_t> valueAt(double cueLeft, std::int32_t min, double unitWidth);

// A dragged cue's left edge kept on the track: below 0 becomes 0, then beyond
// innerWidth - cueWidth becomes that. The second test wins, so a cue wider than the inner area
// ends with a negative left.
double clampCueLeft(double left, double innerWidth, double cueWidth);

// One drag step: the cue's left edge wanted at `left` (the pointer less the grab offset), clamped,
// and the value it stands for. No result where the bounds are equal or the cue fills the inner
// width: then nothing may move and no Change is raised.
struct DragStep {
  float cueLeft = 0;
  std::int32_t value = 0;
};
std::optional<DragStep> dragTo(double left, double innerWidth, double cueWidth, std::int32_t min,
                               std::int32_t max);

// The look after a left press at x on the surface: Down inside the cue's span
// (cueLeft < x <= cueLeft + cueWidth), Over elsewhere (its left edge itself included).
CueState pressState(double x, double cueLeft, double cueWidth);

// The plain style's range-sized cue: the inner width (rounded half to even) divided by the size
// of the range, dropping the fraction. No value for equal bounds.
std::optional<std::int32_t> rangeCueWidth(double innerWidth, std::int32_t min, std::int32_t max);

// How many track tiles of `tileWidth` start at 0, s, 2s, ... while at most the inner width, both
// rounded half to even. A tile width that rounds to 0 or less gives none (rather than looping
// forever).
std::int32_t tileCount(double innerWidth, double tileWidth);

// Which pictures a state paints with, in picture style.
enum class TrackPicture { Normal, Over };
enum class CuePicture { Normal, Down, Over };
struct StatePictures {
  // The picture the track measure takes; nullopt in Down, where it keeps the previous one.
  std::optional<TrackPicture> measure;
  TrackPicture track;
  CuePicture cue;
};
// Any state other than Down and Over paints as Normal.
StatePictures picturesFor(std::int16_t cueState);

}  // namespace SliderModel
