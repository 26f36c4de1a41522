#pragma once
// For a target that builds widgets: the toolkit without a display, and one application object
// for the whole run. Included by exactly one source file of each target.
#include "host/platform/Application.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static host::Application app(*argc, *argv);
  return 0;
}
