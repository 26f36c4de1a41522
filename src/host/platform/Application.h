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

// The platform the toolkit will try first for these arguments and the environment ("xcb",
// "wayland", "offscreen" ...), and the X display it opens there (-display, else $DISPLAY; empty
// when neither says): what the application object would open, known before it exists.
QByteArray firstPlatform(int argc, char** argv);
QByteArray x11DisplayName(int argc, char** argv);

}  // namespace host
