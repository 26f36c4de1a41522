#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <optional>

#include "CommandLine.h"
#include "host/core/ColorRef.h"

namespace host {
class ClipboardKeeper;
class ScreenSource;
}  // namespace host

// The command line's commands, run once the application object exists and without the picker
// window: --at and --pick print the color of one pixel in the notations asked for, one line each,
// and with --copy hand the first to the clipboard's keeper. Every way out ends with the status
// CommandLine names and at most one line on stderr.
namespace ScreenCommands {

// Runs `command` (Mode::At or Mode::Pick) and returns the program's exit status. `keeper` is the
// clipboard's keeper started for --copy, or null.
int run(const CommandLine::Outcome& command, host::ClipboardKeeper* keeper);

// Runs --at on the X display named (empty: $DISPLAY) before and without the application object:
// quicker, and no window is made at all, not even the toolkit's hidden ones. Nothing where that
// display cannot be read so; run() then does it with the application object.
std::optional<int> runAtOnX11(const CommandLine::Outcome& command, const QByteArray& display,
                              host::ClipboardKeeper* keeper);

struct Reading {
  int status = CommandLine::kPicked;
  host::ColorRef color = 0;
  QString why;  // for stderr when not picked
};

// The pixel `fromPrimary` physical pixels from the primary monitor's top-left corner. A source
// that reads at once is read once; one that may first have to be granted the screen (Wayland) is
// asked again every few milliseconds until it reads, gives up, or `waitMs` have passed.
Reading readAt(host::ScreenSource& screen, QPoint fromPrimary, int waitMs);

}  // namespace ScreenCommands
