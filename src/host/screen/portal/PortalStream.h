#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "host/core/ColorRef.h"
#include "host/screen/portal/PortalFrame.h"

namespace host {

// The PipeWire stream of the monitor the desktop shared: its frames give the pixels and its
// cursor metadata the pointer. It runs on a PipeWire thread of its own that keeps the newest
// frame dequeued (no copy per frame); the reads below, from the GUI thread, take it under a lock.
// Until a frame arrives every pixel is the invalid color and blocks are black, as for a point
// that no screen covers. Points are the desktop's physical pixels.
class PortalStream {
 public:
  // `notice` is told on the GUI thread what the window should say of the stream: why it cannot
  // be read, in one line, or nothing once it streams.
  explicit PortalStream(std::function<void(const QString&)> notice);
  ~PortalStream();
  PortalStream(const PortalStream&) = delete;
  PortalStream& operator=(const PortalStream&) = delete;

  // Starts the stream of `node` over the PipeWire remote `fd` (taken over; negative: the remote
  // could not be opened). `position` and `size` place the monitor on the desktop in logical
  // pixels; `cursorMetadata` asks for the pointer's position with the frames.
  void start(int fd, std::uint32_t node, QPoint position, QSize size, bool cursorMetadata);
  // Stops the stream and its thread; nothing is read or posted after.
  void stop();

  // Where the frames sit on the desktop.
  portal::StreamPlacement placement() const;
  // The pointer from the cursor metadata (none before any came), with the placement of the same
  // moment.
  struct Pointer {
    std::optional<QPoint> at;
    portal::StreamPlacement placement;
  };
  Pointer pointer() const;
  // The pixel at `p` of the newest frame, or kInvalidColor where it covers no such pixel.
  ColorRef pixel(QPoint p);
  // The block `r` of the newest frame as RGB32 words, `stride` words a row; black where it
  // covers nothing.
  void copyBlock(const QRect& r, std::uint32_t* words, int stride);
  // Calls `wake` once on the GUI thread with the next new frame or pointer move; a new request
  // replaces the last, and an empty one withdraws it. False where a move could go unseen (no
  // cursor metadata), before the first frame, or with something new since the last read.
  bool wakeOnActivity(std::function<void()> wake);

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace host
