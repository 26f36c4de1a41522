#include "host/forms/Forms.h"

#include <QApplication>
#include <QWidget>
#include <QtGlobal>
#include <chrono>
#include <exception>
#include <thread>

#include "host/core/RuntimeError.h"

namespace host {

namespace {

std::function<void()>& endHandler() {
  static std::function<void()> handler;
  return handler;
}

bool g_ending = false;

}  // namespace

void DoEvents() {
  if (g_ending) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Sleep(int ms) {
  if (ms > 0 && !g_ending) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void End() {
  if (endHandler()) {
    endHandler()();
    return;
  }
  g_ending = true;
  for (QWidget* w : QApplication::topLevelWidgets())
    w->hide();
  // Stops a running loop; before the loop runs this is lost, which exec() makes up for.
  QCoreApplication::exit(0);
}

void setEndHandler(std::function<void()> handler) {
  endHandler() = std::move(handler);
}

bool endRequested() {
  return g_ending;
}

int exec() {
  QGuiApplication::setQuitOnLastWindowClosed(false);
  if (g_ending) return 0;
  return QApplication::exec();
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
