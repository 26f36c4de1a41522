#include "host/platform/OSVersion.h"

#include <cctype>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/utsname.h>
#endif

namespace host {

OSVersionRecord parseReleaseNumbers(const std::string& release) {
  OSVersionRecord r;
  long long parts[3] = {0, 0, 0};
  std::size_t i = 0;
  for (int part = 0; part < 3 && i < release.size(); ++part) {
    if (!std::isdigit(static_cast<unsigned char>(release[i]))) break;
    long long v = 0;
    while (i < release.size() && std::isdigit(static_cast<unsigned char>(release[i]))) {
      v = std::min(v * 10 + (release[i] - '0'), 0x7FFFFFFFLL);
      ++i;
    }
    parts[part] = v;
    if (i >= release.size() || release[i] != '.') break;
    ++i;
  }
  r.major = static_cast<int>(parts[0]);
  r.minor = static_cast<int>(parts[1]);
  r.build = parts[2];
  return r;
}

OSVersionRecord readOSVersionRecord() {
#ifdef _WIN32
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma warning(suppress : 4996)
  GetVersionExA(&info);
  OSVersionRecord r;
  r.major = static_cast<int>(info.dwMajorVersion);
  r.minor = static_cast<int>(info.dwMinorVersion);
  r.build = info.dwBuildNumber;
  r.platformId = static_cast<int>(info.dwPlatformId);
  r.servicePack.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof(info.szCSDVersion)));
  return r;
#else
  utsname u{};
  if (uname(&u) != 0) {
    OSVersionRecord r;
    r.platformId = OSVersionRecord::kPlatformHost;
    r.systemName = "Unix";
    return r;
  }
  OSVersionRecord r = parseReleaseNumbers(u.release);
  r.platformId = OSVersionRecord::kPlatformHost;
  r.systemName = u.sysname;
  r.servicePack = u.version;
  return r;
#endif
}

}  // namespace host
