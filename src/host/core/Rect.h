#pragma once

#include <algorithm>

// Plain geometry in device pixels, as the platform's RECT. Pure: no Qt.
namespace host {

// A rectangle, right and bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  // Inverted rectangles count as empty too; nothing in the program draws one.
  constexpr bool isEmpty() const { return right <= left || bottom <= top; }
  constexpr bool contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  constexpr Rect intersected(const Rect& o) const {
    return Rect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
  }
  bool operator==(const Rect&) const = default;
};

// InflateRect: grows (or with negative values shrinks) a rectangle on every side.
constexpr Rect inflated(const Rect& r, int dx, int dy) {
  return Rect{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

}  // namespace host
