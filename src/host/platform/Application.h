#pragma once

#include <QApplication>

namespace host {

// The program's application object: a QApplication whose event dispatch also runs the message
// hooks (MessageHook) before and after a hooked window's own handling. Tests and benchmarks
// create it as the program does.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  bool notify(QObject* receiver, QEvent* event) override;
  // Dispatch past every hook (the window's own handling).
  bool notifyUnhooked(QObject* receiver, QEvent* event);
};

}  // namespace host
