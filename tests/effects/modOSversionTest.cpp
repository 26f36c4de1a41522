#include <gtest/gtest.h>
#include <sys/utsname.h>

#include "effects/modOSversion.h"

namespace {

host::OSVersionRecord windows(int major, int minor, int platform, long long build = 0,
                              std::string sp = {}) {
  host::OSVersionRecord r;
  r.major = major;
  r.minor = minor;
  r.platformId = platform;
  r.build = build;
  r.servicePack = std::move(sp);
  return r;
}

// The name of each system the feature switches tell apart; a record that names nothing keeps the
// name from before.
TEST(OSVersionTest, NamesTheSystem) {
  const struct {
    int major, minor, platform;
    const char* name;  // nullptr: no name
  } cases[] = {{3, 51, 2, "Windows NT 3.x"},
               {4, 0, 2, "Windows NT 4.0"},
               {4, 0, 1, "Windows 95"},
               {4, 90, 1, "Windows 98"},
               {5, 2, 1, "Windows 2003 Server"},
               {5, 7, 2, "Windows XP"},
               {6, 0, 2, "Windows Vista"},
               {6, 1, 2, nullptr},
               {10, 0, 2, "Unknown Windows Version"}};
  for (const auto& c : cases) {
    const modOSversion::OSDescription d =
        modOSversion::describe(windows(c.major, c.minor, c.platform));
    EXPECT_EQ(d.name.value_or("(none)"), c.name != nullptr ? c.name : "(none)")
        << c.major << "." << c.minor;
    EXPECT_EQ(d.featureMajor, c.major);
  }
}

TEST(OSVersionTest, VersionAndServicePackTexts) {
  const auto xp = modOSversion::describe(windows(5, 1, 2, 2600, "  Service Pack 3  "));
  EXPECT_EQ(xp.versionText, "Ver: 5.1 (Build: 2600)");
  EXPECT_EQ(xp.servicePackText, "\tService Pack 3");
  EXPECT_EQ(modOSversion::describe(windows(5, 1, 2, 2600)).servicePackText, "\t");
  // The field is a fixed buffer: nothing after its terminating NUL is text.
  std::string field = "Service Pack 2";
  field += '\0';
  field += "garbage";
  EXPECT_EQ(modOSversion::describe(windows(5, 1, 2, 2600, field)).servicePackText,
            "\tService Pack 2");
  EXPECT_EQ(modOSversion::describe(windows(6, 0, 2, 4294967295LL)).versionText,
            "Ver: 6.0 (Build: 4294967295)");
}

TEST(OSVersionTest, ANameFromBeforeSurvivesARecordThatNamesNothing) {
  EXPECT_EQ(modOSversion::GetOSVersion(windows(5, 1, 2)), "Windows XP");
  EXPECT_EQ(modOSversion::GetOSVersion(windows(6, 1, 2)), "Windows XP");
  EXPECT_EQ(modOSversion::OSMajorVersion(), 6);
  EXPECT_EQ(modOSversion::VersionText(), "Ver: 6.1 (Build: 0)");
}

TEST(OSVersionTest, ReleaseNumbersAreReadUpToTheFirstNonDigit) {
  const auto r = host::parseReleaseNumbers("6.1.0-18-amd64");
  EXPECT_EQ(r.major, 6);
  EXPECT_EQ(r.minor, 1);
  EXPECT_EQ(r.build, 0);
  EXPECT_EQ(host::parseReleaseNumbers("5.15").minor, 15);
  EXPECT_EQ(host::parseReleaseNumbers("4.19.260").build, 260);
  EXPECT_EQ(host::parseReleaseNumbers("rolling").major, 0);
}

TEST(OSVersionTest, TheRealHostIsNamedByItsSystemAndEnablesTheFeatures) {
  utsname u{};
  ASSERT_EQ(uname(&u), 0);
  const std::string name = modOSversion::GetOSVersion();
  EXPECT_EQ(name, u.sysname);
  EXPECT_EQ(name.find("Windows"), std::string::npos);
  EXPECT_GE(modOSversion::OSMajorVersion(), 5);
  const auto release = host::parseReleaseNumbers(u.release);
  EXPECT_EQ(modOSversion::VersionText(), "Ver: " + std::to_string(release.major) + "." +
                                             std::to_string(release.minor) +
                                             " (Build: " + std::to_string(release.build) + ")");
}

}  // namespace
