#pragma once

// The arithmetic of reading a screen-cast stream, without the stream: where the pointer is on the
// desktop from a frame's cursor metadata, what color a frame's pixel is in whatever byte order
// was negotiated, and which restore token a stored file holds. No Qt, no PipeWire, so it is
// tested on recorded and synthetic buffers alone.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/core/ColorRef.h"

namespace host::portal {

// The byte order of a 32-bit pixel in memory, first byte first. An alpha byte is read as
// padding: a monitor's picture is opaque.
enum class PixelOrder { BGRx, RGBx, xRGB, xBGR };

// A frame as the stream hands it over: `stride` bytes from one row's start to the next (at least
// width * 4; rows may be padded). `bytes` is how much memory `data` covers.
struct FrameView {
  const std::uint8_t* data = nullptr;
  std::size_t bytes = 0;
  int width = 0;
  int height = 0;
  int stride = 0;
  PixelOrder order = PixelOrder::BGRx;
};

// A buffer's first data plane as the stream hands it over: `maxsize` bytes mapped at `data`, of
// which the producer says its chunk fills `size` bytes from `offset` (its word only, so not
// trusted).
struct Plane {
  const std::uint8_t* data = nullptr;
  std::uint32_t maxsize = 0;
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
  bool corrupted = false;  // the producer's own flag on the chunk
};

// The bytes of a plane's chunk, cut to the mapped memory.
struct Bytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

// None for a plane with nothing mapped, an empty or corrupted chunk, or one that starts past the
// mapped memory: such a buffer holds no frame, and the last frame is kept.
std::optional<Bytes> chunkBytes(const Plane& p);

// Whether the frame's rows all lie inside its memory: a frame of an unexpected size or stride is
// dropped instead of read past its end.
bool frameFits(const FrameView& f);

// The color of frame pixel (x, y), or kInvalidColor outside the frame or for a frame that does
// not fit its memory.
ColorRef pixelOf(const FrameView& f, int x, int y);

// Copies the frame's w x h block at (x, y) into `out` as 0xFFRRGGBB words (a QImage's RGB32),
// `outStride` words a row; what lies outside the frame is black.
void copyBlock(const FrameView& f, int x, int y, int w, int h, std::uint32_t* out, int outStride);

// Where the stream sits on the desktop: its top-left corner and size in the desktop's logical
// pixels, as the portal reports them, and the size of its frames in frame pixels, which are the
// output's physical pixels (more of them than logical ones on a scaled output).
struct StreamPlacement {
  int x = 0;
  int y = 0;
  int width = 0;   // logical pixels; 0 when the portal did not say: one per frame pixel
  int height = 0;  // logical pixels
  int frameWidth = 0;
  int frameHeight = 0;
};

// The program's desktop pixels are physical ones, each output scaled about its top-left corner
// (which stays where the desktop places it): frame pixel (fx, fy) is desktop pixel
// (x + fx, y + fy), one to one at any scale, so the pixel under the pointer is never a
// neighbour's.
struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};
Point frameToDesktop(const StreamPlacement& s, Point frame);
Point desktopToFrame(const StreamPlacement& s, Point desktop);
// A point in the desktop's logical pixels (where the toolkit saw the pointer) as a desktop
// pixel: the top-left physical pixel of that logical one, scaled about the stream's corner.
Point logicalToDesktop(const StreamPlacement& s, Point logical);

// A frame's cursor metadata: `id` 0 means the frame carries no pointer information (the
// pointer is unchanged or off this monitor); `position` is the pointer's hot spot in frame
// pixels. The hot spot's offset inside the cursor's bitmap only places the bitmap and plays no
// part in where the pointer points.
struct CursorMeta {
  std::uint32_t id = 0;
  int x = 0;
  int y = 0;
  int hotX = 0;
  int hotY = 0;
};
std::optional<Point> pointerOnDesktop(const StreamPlacement& s, const CursorMeta& m);

// The restore token kept from the last session, from the stored file's text: one line of
// printable ASCII, at most 256 characters (what portals hand out are UUID-like strings). Anything
// else (an empty, binary, overlong or many-line file) is no token: the portal asks again.
std::optional<std::string> parseRestoreToken(std::string_view text);

}  // namespace host::portal
