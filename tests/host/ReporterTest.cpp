// The reporter is a service: what is installed receives the reports, and removing it brings back
// the system's.
#include <gtest/gtest.h>

#include "RecordingReporter.h"

namespace {

TEST(ReporterTest, AnInstalledReporterReceivesReportsUntilItIsRemoved) {
  host::Reporter* system = &host::reporter();
  {
    RecordingReporter recording;
    EXPECT_EQ(&host::reporter(), &recording);
    host::reporter().logError(QStringLiteral("CandyButton.sc_Subclass: Invalid window handle"));
    host::reporter().messageBox(QStringLiteral("Error in CandyButton.sc_Subclass"),
                                QStringLiteral("Invalid window handle."));
    ASSERT_EQ(recording.log.size(), 1u);
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_EQ(recording.boxes[0].title, QStringLiteral("Error in CandyButton.sc_Subclass"));
  }
  EXPECT_EQ(&host::reporter(), system);
}

}  // namespace
