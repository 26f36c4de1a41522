#pragma once

#include "host/screen/ScreenSource.h"

// The Wayland screen source (PortalScreenSource, with PipeWire and Qt's D-Bus module) is built as
// a module of its own, tintwell-portal.so, that the program loads only in a Wayland session: on
// X11 neither library is loaded. The module exports this one function; all else in it is hidden.
extern "C" {
// A new source for the Wayland session the application runs in, owned by the caller (deleted
// through ScreenSource's virtual destructor), or nullptr on any other platform.
host::ScreenSource* tintwell_portal_create_screen_source();
}

namespace host {
using PortalFactory = decltype(&tintwell_portal_create_screen_source);
inline constexpr char kPortalModuleFile[] = "tintwell-portal.so";
inline constexpr char kPortalModuleFactory[] = "tintwell_portal_create_screen_source";
}  // namespace host
