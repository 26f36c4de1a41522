#include "Application.h"

#include "Accessibility.h"
#include "MessageHook.h"

namespace host {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  accessibility::install();
}

bool Application::notify(QObject* receiver, QEvent* event) {
  // Without hooks (the common case) dispatch costs one test more than the toolkit's own.
  if (!hooksInstalled()) return QApplication::notify(receiver, event);
  return dispatchThroughHooks(receiver, event);
}

bool Application::notifyUnhooked(QObject* receiver, QEvent* event) {
  return QApplication::notify(receiver, event);
}

}  // namespace host
