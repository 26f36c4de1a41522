#pragma once

#include <functional>

// Services of the forms runtime that are not tied to one control.
namespace host {

// Lets pending window messages (timers, input, paints) run, then returns. Once the program is
// ending it runs nothing.
void DoEvents();

// Blocks the calling thread for `ms` milliseconds (the platform's Sleep); not once the program
// is ending.
void Sleep(int ms);

// Ends the program at once: no closing animation, no unload handlers. Its windows disappear,
// the event loop is told to stop, and from then on DoEvents, Sleep and Beep return at once, so
// a handler still running (the start-up sequence, say) finishes in a moment; an end requested
// before the event loop started makes exec() return without starting it.
void End();
void setEndHandler(std::function<void()> handler);  // tests record; empty restores the real one
bool endRequested();

// Runs the event loop until the program ends: when End is called, or when the last loaded window
// unloads (the only rule: the toolkit's own quit-on-last-visible-window is switched off, since
// a window may be hidden, by a closing animation, before it unloads). Returns the exit status.
int exec();

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
