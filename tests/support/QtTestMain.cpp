// GoogleTest main for tests that need a QApplication: offscreen unless the environment names
// another platform (the end-to-end tests run on a private X server).
#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <string>

#include "host/platform/Application.h"

#include "effects/modOSversion.h"
#include "host/draw/Fonts.h"
#include "program/ProgramFlags.h"

namespace {

// Qt Test's checks (QCOMPARE, QVERIFY, QTRY_COMPARE ...) outside a Qt Test run only return from
// the test function when they fail, and GoogleTest would count the test as passed. Qt Test keeps
// a failed mark, never cleared in this process: the test during which it first appears is
// named, and the program fails. (A later failure of the same kind goes unseen: new tests check
// with GoogleTest, waiting through EXPECT_EVENTUALLY_EQ.)
class QtTestFailures : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override { m_before = QTest::currentTestFailed(); }
  void OnTestEnd(const ::testing::TestInfo& info) override {
    if (m_before || !QTest::currentTestFailed()) return;
    m_failedIn = std::string(info.test_suite_name()) + "." + info.name();
    std::fprintf(stderr, "[  FAILED  ] %s: a Qt Test check (QCOMPARE, QVERIFY, QTRY_...) failed\n",
                 m_failedIn.c_str());
  }
  const std::string& failedIn() const { return m_failedIn; }

 private:
  bool m_before = false;
  std::string m_failedIn;
};

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
  auto* failures = new QtTestFailures;  // owned by GoogleTest's listener list
  ::testing::UnitTest::GetInstance()->listeners().Append(failures);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramFlags);
  const int status = RUN_ALL_TESTS();
  return status != 0 || failures->failedIn().empty() ? status : 1;
}
