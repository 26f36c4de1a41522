#include "Forms.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <chrono>
#include <exception>
#include <thread>

#include "RuntimeError.h"

namespace host {

void DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Sleep(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

AppVersion App() {
  return AppVersion{TINTWELL_VERSION_MAJOR, TINTWELL_VERSION_MINOR, TINTWELL_VERSION_REVISION};
}

void runEventHandler(const char* what, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const RuntimeError& e) {
    qWarning("%s: run-time error %d in %s: %s", what, e.number(), e.source().c_str(),
             e.description().c_str());
  } catch (const std::exception& e) {
    qWarning("%s: %s", what, e.what());
  }
}

}  // namespace host
