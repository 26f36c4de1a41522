#pragma once

#include <QColor>
#include <optional>

#include "host/core/ColorRef.h"

namespace host {

// OleTranslateColor: a plain ColorRef comes back as it is; a system color (high bit set plus an
// index 0..24) becomes the current palette's color for that role. Anything else (an unknown
// index, the invalid color) has no translation.
std::optional<ColorRef> OleTranslateColor(ColorRef color);

// The translation, or `fallback` where there is none.
ColorRef translateColor(ColorRef color, ColorRef fallback = 0);

QColor toQColor(ColorRef color);  // system colors translated; untranslatable ones black
ColorRef fromQColor(const QColor& color);

}  // namespace host
