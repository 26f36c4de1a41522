#pragma once

#include <QPoint>
#include <QStringList>
#include <vector>

#include "color/ColorText.h"

// The program's own command line: --help, --version, and the two commands that print a color
// instead of opening the window (--at X,Y and --pick, with --format and --copy). The toolkit's
// options (-platform, -style, -display ...) pass through to it. Read before the application
// object exists, so that --help, --version and a bad argument need no display.
namespace CommandLine {

// The exit statuses of the commands (the window ends with 0, or 2 after an unknown option).
inline constexpr int kPicked = 0;      // the color was printed
inline constexpr int kCancelled = 1;   // --pick: Esc, a right click, or the desktop's picker closed
inline constexpr int kNoMonitor = 2;   // --at: no monitor covers the point
inline constexpr int kUnreadable = 3;  // the screen cannot be read (a Wayland desktop refused ...)
inline constexpr int kUsage = 64;      // a bad argument of a command

enum class Mode {
  Window,  // the picker window
  At,      // print the color of one pixel
  Pick,    // let the user point at a pixel, then print its color
};

struct Outcome {
  bool run = true;  // false: print `text` and end with `status`
  int status = 0;   // 0 after --help or --version, 2 or kUsage after a bad argument
  QString text;     // for stdout when status is 0, stderr otherwise
  Mode mode = Mode::Window;
  // --at: physical pixels from the primary monitor's top-left corner, negative left of or above
  // it (as the window's position readout counts).
  QPoint at;
  // --format, in the order given (html when not given): one line each.
  std::vector<ColorText::Notation> notations;
  bool copy = false;  // --copy: the first notation also goes to the clipboard
};

// `arguments` as the program got them, the program's path first.
Outcome read(const QStringList& arguments, const QString& version);

}  // namespace CommandLine
