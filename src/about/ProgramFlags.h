#pragma once

#include <string>

// Program-wide switches shared by the picker window and the about window.
namespace ProgramFlags {

// Sampling is switched on (set by the picker; read by the about window when it closes, to
// restart or leave stopped the picker's timers).
inline bool SamplingOn = false;
// The about window exists (set by the about window; read by the logo renderer when created).
inline bool AboutOpen = false;

// The operating system's name, found at start-up ("Linux", "Windows XP").
inline std::string OSVersionName;

}  // namespace ProgramFlags
