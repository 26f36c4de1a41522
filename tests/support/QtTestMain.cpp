// GoogleTest main for tests that need a QApplication: offscreen unless the environment names
// another platform (the end-to-end tests run on a private X server). Checks are GoogleTest's
// (waiting with EXPECT_EVENTUALLY_EQ): Qt Test's only return from a failing function here.
#include <gtest/gtest.h>

#include "host/platform/Application.h"

#include "effects/modOSversion.h"
#include "host/draw/Fonts.h"
#include "program/ProgramFlags.h"

namespace {

// Every case starts from the program-wide values the program starts with here (sampling off, no
// about window, a system with topmost and fading windows), whatever the case before it left, so a
// case passes or fails alike in the whole program and when ctest runs it on its own.
class FreshProgramFlags : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    ProgramFlags::SamplingOn = false;
    ProgramFlags::AboutOpen = false;
    ProgramFlags::OSVersionName = "Linux";
    ProgramFlags::OSMajorVersion = modOSversion::kHostFeatureLevel;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  host::Application app(argc, argv);
  host::registerApplicationFonts();
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramFlags);
  return RUN_ALL_TESTS();
}
