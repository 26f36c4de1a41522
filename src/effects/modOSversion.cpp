#include "modOSversion.h"

#include "program/ProgramFlags.h"

namespace modOSversion {

namespace {

int g_minor = 0;
int g_platformId = 0;
std::string g_name;
std::string g_versionText;
std::string g_servicePack;

// The service-pack field is a fixed 128-character buffer: what follows a NUL is not text.
std::string trimmed(std::string s) {
  if (const auto nul = s.find('\0'); nul != std::string::npos) s.resize(nul);
  if (s.size() > 128) s.resize(128);
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The Windows name for a version record; none for 6.x other than 6.0.
std::optional<std::string> windowsName(int major, int platformId, int minor) {
  switch (major) {
    case 3:
      return platformId == 2 ? "Windows NT 3.x" : "Windows 3.x";
    case 4:
      if (platformId == 2) return "Windows NT 4.0";
      return minor == 0 ? "Windows 95" : "Windows 98";
    case 5:
      if (minor == 0) return "Windows 2000";
      if (minor == 2) return "Windows 2003 Server";
      return "Windows XP";
    case 6:
      if (minor == 0) return "Windows Vista";
      return std::nullopt;
    default:
      return "Unknown Windows Version";
  }
}

}  // namespace

OSDescription describe(const host::OSVersionRecord& record) {
  OSDescription d;
  const bool host = record.platformId == host::OSVersionRecord::kPlatformHost;
  d.featureMajor = host ? kHostFeatureLevel : record.major;
  d.name = host ? std::optional<std::string>(record.systemName)
                : windowsName(record.major, record.platformId, record.minor);
  d.versionText = "Ver: " + std::to_string(record.major) + "." + std::to_string(record.minor) +
                  " (Build: " + std::to_string(record.build) + ")";
  d.servicePackText = "\t" + trimmed(record.servicePack);
  return d;
}

std::string GetOSVersion(const host::OSVersionRecord& record) {
  OSDescription d = describe(record);
  ProgramFlags::OSMajorVersion = d.featureMajor;
  g_minor = record.minor;
  g_platformId = record.platformId;
  if (d.name) g_name = std::move(*d.name);
  g_versionText = std::move(d.versionText);
  g_servicePack = std::move(d.servicePackText);
  return g_name;
}

std::string GetOSVersion() {
  return GetOSVersion(host::readOSVersionRecord());
}

int OSMajorVersion() {
  return ProgramFlags::OSMajorVersion;
}
int OSMinorVersion() {
  return g_minor;
}
int PlatformId() {
  return g_platformId;
}
const std::string& OSName() {
  return g_name;
}
const std::string& VersionText() {
  return g_versionText;
}
const std::string& ServicePackText() {
  return g_servicePack;
}

}  // namespace modOSversion
