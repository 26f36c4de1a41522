// Google Benchmark main with a QApplication: offscreen unless run on an X server (bench/run
// uses a private Xvfb, so the real screen reads are measured too).
#include <benchmark/benchmark.h>

#include "host/platform/Application.h"

#include "host/draw/Fonts.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  host::Application app(argc, argv);
  host::registerApplicationFonts();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
