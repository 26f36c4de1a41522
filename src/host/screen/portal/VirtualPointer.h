#pragma once

#include <memory>

namespace host {

// A pointer device of the program's own on a Wayland desktop that offers one to clients (the
// wlroots desktops: sway and others), through which the arrow keys move the real pointer: a
// Wayland client may not warp it. Connects on first use, on a connection of its own to the
// desktop named by WAYLAND_DISPLAY, so that it never touches the toolkit's.
class VirtualPointer {
 public:
  VirtualPointer();
  ~VirtualPointer();
  VirtualPointer(const VirtualPointer&) = delete;
  VirtualPointer& operator=(const VirtualPointer&) = delete;

  // Moves the pointer by (dx, dy) of the desktop's logical pixels, as a mouse would (the
  // desktop applies no acceleration to it), and returns once the desktop has taken the move.
  // False where the desktop offers no such device or the connection failed; after that it is not
  // asked again.
  bool moveBy(double dx, double dy);

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace host
