#pragma once

namespace host {

// The forms runtime's screen object, for the primary screen: twips per pixel from the logical
// DPI (15 at 96 DPI) and the size in twips. Its pixels are the toolkit's device-independent ones,
// the pixels of window and control geometry: with a scale factor of 2 the 317-pixel-wide window
// covers 634 pixels of the display.
namespace Screen {
double TwipsPerPixelX();
double TwipsPerPixelY();
int Width();   // twips
int Height();  // twips
// The primary screen's top-left corner on the virtual desktop, twips (not 0 where a monitor lies
// left of or above it).
int Left();
int Top();
}  // namespace Screen

}  // namespace host
