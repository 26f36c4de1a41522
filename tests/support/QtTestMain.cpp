// GoogleTest main for tests that need a QApplication: offscreen unless the environment names
// another platform (the end-to-end tests run on a private X server).
#include <gtest/gtest.h>

#include "host/Application.h"

#include "host/Fonts.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  host::Application app(argc, argv);
  host::registerApplicationFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
