#pragma once

#include <string>

namespace host {

// The platform's version record (the fields of OSVERSIONINFO that matter), or on a non-Windows
// host a record that describes that host: `systemName` is then its system's name ("Linux")
// and the numbers come from its kernel release ("6.1.0-18-amd64" gives 6, 1, build 0).
struct OSVersionRecord {
  int major = 0;
  int minor = 0;
  long long build = 0;      // the whole 32-bit value the system reports
  int platformId = 0;       // 2 is the NT family; kPlatformHost for a non-Windows host
  std::string servicePack;  // up to 128 characters
  std::string systemName;   // empty on Windows

  static constexpr int kPlatformHost = 0x100;
};

// Reads the record of the system the program runs on.
OSVersionRecord readOSVersionRecord();

// The major, minor and patch numbers at the start of a release text ("6.1.0-18-amd64"); missing
// parts are 0.
OSVersionRecord parseReleaseNumbers(const std::string& release);

}  // namespace host
