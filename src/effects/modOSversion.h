#pragma once

#include <optional>
#include <string>

#include "host/platform/OSVersion.h"

// Which system the program runs on, found once at start-up: the version numbers for the
// feature switches of other windows, a name, and version and service-pack texts.
namespace modOSversion {

// What a version record says, without touching the module state. `name` is empty (no value)
// where the naming table sets none (Windows 6.x other than 6.0).
struct OSDescription {
  std::optional<std::string> name;
  int featureMajor = 0;
  std::string versionText;
  std::string servicePackText;
};
OSDescription describe(const host::OSVersionRecord& record);

// Reads the system's record, fills the module state and returns the OS name.
std::string GetOSVersion();
// The same from a given record (what the platform would report); a record that names nothing
// leaves the name from before (empty at start).
std::string GetOSVersion(const host::OSVersionRecord& record);

// The feature switch (also kept as ProgramFlags::OSMajorVersion, which windows test through
// ProgramFlags::topmostAvailable): 5 or more means topmost and faded windows are available. On
// Windows it is the record's major version. On another host those features come from the
// toolkit, not from the kernel, so it is kHostFeatureLevel whatever the kernel says.
int OSMajorVersion();
int OSMinorVersion();
int PlatformId();
const std::string& OSName();
const std::string& VersionText();      // "Ver: 5.1 (Build: 2600)"
const std::string& ServicePackText();  // a tab, then the service-pack text trimmed

inline constexpr int kHostFeatureLevel = 5;

}  // namespace modOSversion
