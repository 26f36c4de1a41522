#pragma once

#include <functional>

// Services of the forms runtime that are not tied to one control.
namespace host {

// Lets pending window messages (timers, input, paints) run, then returns.
void DoEvents();

// Blocks the calling thread for `ms` milliseconds (the platform's Sleep).
void Sleep(int ms);

// The application's version numbers, as the logo strip shows them (Major.Minor.0.Revision).
struct AppVersion {
  int Major;
  int Minor;
  int Revision;
};
AppVersion App();

// Runs an event handler at the runtime's boundary: a run-time error or any other exception that
// escapes it is reported on the log and swallowed, so one failing handler never ends the program
// and the next event is handled normally. `what` names the handler in the log line.
void runEventHandler(const char* what, const std::function<void()>& handler);

}  // namespace host
