#include "Forms.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <exception>

#include "RuntimeError.h"

namespace host {

void DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
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
