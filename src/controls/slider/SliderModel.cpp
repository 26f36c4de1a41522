#include "SliderModel.h"

#include <cmath>

#include "host/core/Convert.h"

namespace SliderModel {

bool accepts(std::int32_t min, std::int32_t max, std::int32_t v) {
  if (max > min) return min <= v && v <= max;
  if (max < min) return max <= v && v <= min;
  return false;
}

std::optional<double> unitWidth(double innerWidth, double cueWidth, std::int32_t min,
                                std::int32_t max) {
  if (max == min) return std::nullopt;
  return (innerWidth - cueWidth) / (static_cast<double>(max) - static_cast<double>(min));
}

float cueLeftFor(std::int32_t value, std::int32_t min, double unitWidth) {
  return static_cast<float>((static_cast<double>(value) - static_cast<double>(min)) * unitWidth);
}

std::optional<std::int32_t> valueAt(double cueLeft, std::int32_t min, double unitWidth) {
  if (unitWidth == 0 || !std::isfinite(unitWidth)) return std::nullopt;
  return host::roundHalfEven(cueLeft / unitWidth + static_cast<double>(min));
}

double clampCueLeft(double left, double innerWidth, double cueWidth) {
  if (left < 0) left = 0;
  if (innerWidth - cueWidth < left) left = innerWidth - cueWidth;
  return left;
}

std::optional<DragStep> dragTo(double left, double innerWidth, double cueWidth, std::int32_t min,
                               std::int32_t max) {
  const std::optional<double> unit = unitWidth(innerWidth, cueWidth, min, max);
  if (!unit || *unit == 0) return std::nullopt;
  // The cue box holds its left edge as a single; the value is read back from it.
  const float placed = static_cast<float>(clampCueLeft(left, innerWidth, cueWidth));
  const std::optional<std::int32_t> value = valueAt(static_cast<double>(placed), min, *unit);
  if (!value) return std::nullopt;
  return DragStep{placed, *value};
}

CueState pressState(double x, double cueLeft, double cueWidth) {
  return cueLeft < x && x <= cueLeft + cueWidth ? Down : Over;
}

std::optional<std::int32_t> rangeCueWidth(double innerWidth, std::int32_t min, std::int32_t max) {
  if (max == min) return std::nullopt;
  const std::int64_t range = max > min ? std::int64_t{max} - min : std::int64_t{min} - max;
  return static_cast<std::int32_t>(host::roundHalfEven(innerWidth) / range);
}

std::int32_t tileCount(double innerWidth, double tileWidth) {
  const std::int32_t w = host::roundHalfEven(innerWidth);
  const std::int32_t s = host::roundHalfEven(tileWidth);
  if (s <= 0 || w < 0) return 0;
  return w / s + 1;
}

StatePictures picturesFor(std::int16_t cueState) {
  switch (cueState) {
    case Over:
      return {TrackPicture::Over, TrackPicture::Over, CuePicture::Over};
    case Down:
      return {std::nullopt, TrackPicture::Over, CuePicture::Down};
    default:
      return {TrackPicture::Normal, TrackPicture::Normal, CuePicture::Normal};
  }
}

}  // namespace SliderModel
