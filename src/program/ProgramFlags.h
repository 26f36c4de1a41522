#pragma once

#include <string>

// Program-wide values that several windows share. Plain values, no Qt; the picker window, the
// about window, the logo renderer and the OS version module read and write them.
namespace ProgramFlags {

// Sampling is switched on (written by the picker's sampling switch; the about window restores
// the picker's timers from it when it closes).
inline bool SamplingOn = false;
// The about window exists (set by the about window; read by the logo renderer when created).
inline bool AboutOpen = false;

// The operating system's name, found at start-up ("Linux", "Windows XP").
inline std::string OSVersionName;
// The OS major version as the feature switches see it, set with the name at start-up.
inline int OSMajorVersion = 0;

// Windows can be put in the always-on-top band (major version 5 and later).
inline bool topmostAvailable() {
  return OSMajorVersion > 4;
}
// The about window may fade in and out (everywhere but the two oldest systems).
inline bool fadingAvailable() {
  return OSVersionName != "Windows 95" && OSVersionName != "Windows 98";
}

}  // namespace ProgramFlags
