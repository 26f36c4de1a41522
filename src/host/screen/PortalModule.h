#pragma once

#include <cstdint>

#include "host/screen/ScreenSource.h"

// The Wayland screen source (PortalScreenSource, with PipeWire and Qt's D-Bus module) is built as
// a module of its own, tintwell-portal.so, that the program loads only in a Wayland session: on
// X11 neither library is loaded. The module exports these two functions; all else in it is hidden.
extern "C" {
// A new source for the Wayland session the application runs in, owned by the caller (deleted
// through ScreenSource's virtual destructor), or nullptr on any other platform.
host::ScreenSource* tintwell_portal_create_screen_source();
// Lets the user pick a pixel with the desktop's own color picker (the Screenshot portal's
// PickColor), running the event loop until it answers: kPortalPicked with *color set
// (0x00BBGGRR), kPortalCancelled when the user closed it or the desktop refused, or
// kPortalUnavailable (with one line on stderr) where there is none or its answer cannot be read.
int tintwell_portal_pick_color(std::uint32_t* color);
}

namespace host {
using PortalFactory = decltype(&tintwell_portal_create_screen_source);
using PortalPicker = decltype(&tintwell_portal_pick_color);
inline constexpr char kPortalModuleFile[] = "tintwell-portal.so";
inline constexpr char kPortalModuleFactory[] = "tintwell_portal_create_screen_source";
inline constexpr char kPortalModulePicker[] = "tintwell_portal_pick_color";
inline constexpr int kPortalPicked = 0;
inline constexpr int kPortalCancelled = 1;
inline constexpr int kPortalUnavailable = 2;
}  // namespace host
