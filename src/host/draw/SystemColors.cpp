#include "host/draw/SystemColors.h"

#include <QApplication>
#include <QPalette>
#include <array>

namespace host {

namespace {

struct RoleFor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// System color index -> the palette role that plays the same part on this desktop.
constexpr std::array<RoleFor, 25> kSystemRoles{{
    {QPalette::Active, QPalette::Mid},                // 0 scroll bars
    {QPalette::Active, QPalette::Dark},               // 1 desktop
    {QPalette::Active, QPalette::Highlight},          // 2 active title bar
    {QPalette::Inactive, QPalette::Highlight},        // 3 inactive title bar
    {QPalette::Active, QPalette::Window},             // 4 menu bar
    {QPalette::Active, QPalette::Base},               // 5 window background
    {QPalette::Active, QPalette::Shadow},             // 6 window frame
    {QPalette::Active, QPalette::WindowText},         // 7 menu text
    {QPalette::Active, QPalette::Text},               // 8 window text
    {QPalette::Active, QPalette::HighlightedText},    // 9 title bar text
    {QPalette::Active, QPalette::Window},             // 10 active border
    {QPalette::Inactive, QPalette::Window},           // 11 inactive border
    {QPalette::Active, QPalette::Dark},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},          // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},    // 14 highlight text
    {QPalette::Active, QPalette::Button},             // 15 button face
    {QPalette::Active, QPalette::Dark},               // 16 button shadow
    {QPalette::Disabled, QPalette::Text},             // 17 grey text
    {QPalette::Active, QPalette::ButtonText},         // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText},  // 19 inactive title bar text
    {QPalette::Active, QPalette::Light},              // 20 3D highlight
    {QPalette::Active, QPalette::Shadow},             // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},           // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},        // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},        // 24 tooltip background
}};

}  // namespace

std::optional<ColorRef> OleTranslateColor(ColorRef color) {
  if ((color & 0xFF000000u) == 0) return color;
  if (!isSystemColor(color)) return std::nullopt;
  const ColorRef index = color & 0x00FFFFFFu;
  if ((color & 0x7F000000u) != 0 || index >= kSystemRoles.size()) return std::nullopt;
  const RoleFor& r = kSystemRoles[index];
  const QPalette palette = QApplication::palette();
  return fromQColor(palette.color(r.group, r.role));
}

ColorRef translateColor(ColorRef color, ColorRef fallback) {
  return OleTranslateColor(color).value_or(fallback);
}

QColor toQColor(ColorRef color) {
  return QColor::fromRgb(toRgb24(translateColor(color)) | 0xFF000000u);
}

ColorRef fromQColor(const QColor& color) {
  return RGB(color.red(), color.green(), color.blue());
}

}  // namespace host
