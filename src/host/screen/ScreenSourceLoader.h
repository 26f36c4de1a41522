#pragma once

#include <QString>
#include <memory>

#include "host/screen/ScreenSource.h"

namespace host {

// The best source for the display: X11ScreenSource on X11; on Wayland PortalScreenSource, from
// its module tintwell-portal.so (where built with it and found); the toolkit's otherwise.
std::unique_ptr<ScreenSource> createScreenSource();

// The desktop's own color picker, where the program reads the screen through the Wayland module:
// the user points at a pixel and the desktop answers. Runs the event loop until it does.
struct DesktopPick {
  enum class Status { Picked, Cancelled, Unavailable } status = Status::Unavailable;
  ColorRef color = 0;  // when picked
  bool said = false;   // when unavailable: why was said on stderr already
};
DesktopPick pickOnDesktop();

// Where the program in `programDir` loads the module from. An installed program (run from
// `installBinDir`, the folder it was installed to, or with its private library folder
// `privateDir`, relative to `programDir`, beside it) looks only in that private folder, never
// beside itself, where anyone who can write there could plant a library; a program in the build
// tree looks beside itself.
QString portalModulePath(const QString& programDir, const QString& privateDir,
                         const QString& installBinDir);

}  // namespace host
