#include "ScreenCommands.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "PickLoupe.h"
#include "color/ColorText.h"
#include "host/platform/ClipboardKeeper.h"
#include "host/screen/ScreenSource.h"
#include "host/screen/ScreenSourceLoader.h"
#include "host/screen/X11ScreenSource.h"

namespace ScreenCommands {

namespace {

// How long --at waits for a desktop that must be asked first (its dialog may be on screen).
constexpr int kGrantWaitMs = 30'000;
constexpr int kPollMs = 20;

QString where(QPoint p) {
  return QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
}

// One try: the point on the desktop as the primary monitor now lies.
std::optional<Reading> tryRead(host::ScreenSource& screen, QPoint fromPrimary) {
  const QPoint p = screen.primaryGeometry().topLeft() + fromPrimary;
  if (!screen.screenGeometryAt(p)) {
    return Reading{CommandLine::kNoMonitor, 0,
                   QStringLiteral("no monitor shows the point ") + where(fromPrimary)};
  }
  const host::ColorRef c = screen.pixel(p);
  if (c == host::kInvalidColor) return std::nullopt;
  return Reading{CommandLine::kPicked, c, {}};
}

Reading unreadable(const host::ScreenSource& screen) {
  const QString notice = screen.notice();
  return {CommandLine::kUnreadable, 0,
          notice.isEmpty() ? QStringLiteral("the screen cannot be read")
                           : QStringLiteral("the screen cannot be read (") + notice + u')'};
}

Reading pick() {
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    const host::DesktopPick picked = host::pickOnDesktop();
    switch (picked.status) {
      case host::DesktopPick::Status::Picked:
        return {CommandLine::kPicked, picked.color, {}};
      case host::DesktopPick::Status::Cancelled:
        return {CommandLine::kCancelled, 0, {}};
      case host::DesktopPick::Status::Unavailable:
        break;
    }
    return {CommandLine::kUnreadable, 0,
            picked.said ? QString()
                        : QStringLiteral("this desktop offers no color picker to a program")};
  }
  const std::unique_ptr<host::ScreenSource> screen = host::createScreenSource();
  PickLoupe loupe(*screen);
  host::ColorRef color = 0;
  switch (loupe.run(color)) {
    case PickLoupe::Outcome::Picked:
      if (color == host::kInvalidColor)
        return {CommandLine::kNoMonitor, 0, QStringLiteral("no monitor shows the pointer's pixel")};
      return {CommandLine::kPicked, color, {}};
    case PickLoupe::Outcome::Cancelled:
      return {CommandLine::kCancelled, 0, {}};
    case PickLoupe::Outcome::NoGrab:
      break;
  }
  return {CommandLine::kUnreadable, 0,
          QStringLiteral("another program holds the pointer or the keyboard")};
}

}  // namespace

Reading readAt(host::ScreenSource& screen, QPoint fromPrimary, int waitMs) {
  if (std::optional<Reading> read = tryRead(screen, fromPrimary)) return *read;
  if (!screen.mayHaveNotice()) return unreadable(screen);
  // The desktop shares the screen a while after it is asked, if at all.
  QElapsedTimer waited;
  waited.start();
  QEventLoop loop;
  QTimer poll;
  std::optional<Reading> read;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    read = tryRead(screen, fromPrimary);
    if (read || screen.gaveUp() || waited.elapsed() >= waitMs) loop.quit();
  });
  poll.start(kPollMs);
  loop.exec();
  if (read) return *read;
  // Shared, and nothing to say, yet no picture came: say that rather than nothing.
  if (!screen.gaveUp() && screen.notice().isEmpty()) {
    return {CommandLine::kUnreadable, 0,
            QStringLiteral("the screen cannot be read (no picture came from the desktop in %1 s)")
                .arg((waitMs + 999) / 1000)};
  }
  return unreadable(screen);
}

namespace {

// Prints the color read in every notation asked for and hands the first to `copy` (may be empty);
// the program's exit status.
int finish(const CommandLine::Outcome& command, const Reading& read,
           const std::function<bool(const QString&)>& copy) {
  if (read.status != CommandLine::kPicked) {
    if (!read.why.isEmpty()) std::fprintf(stderr, "tintwell: %s\n", qUtf8Printable(read.why));
    return read.status;
  }
  std::string lines;
  for (const ColorText::Notation n : command.notations)
    lines += ColorText::format(n, read.color) + '\n';
  std::fputs(lines.c_str(), stdout);
  std::fflush(stdout);
  if (copy && !command.notations.empty()) {
    const std::string first = ColorText::format(command.notations.front(), read.color);
    if (!copy(QString::fromStdString(first)))
      std::fputs("tintwell: the color could not be put on the clipboard\n", stderr);
  }
  return CommandLine::kPicked;
}

}  // namespace

std::optional<int> runAtOnX11(const CommandLine::Outcome& command, const QByteArray& display,
                              host::ClipboardKeeper* keeper) {
  const std::unique_ptr<host::X11ScreenSource> screen =
      host::X11ScreenSource::open(display.isEmpty() ? nullptr : display.constData());
  if (!screen) return std::nullopt;
  const Reading read = readAt(*screen, command.at, 0);
  std::function<bool(const QString&)> copy;
  if (keeper != nullptr)
    copy = [&](const QString& text) { return keeper->keepOnX11(display, text); };
  return finish(command, read, copy);
}

int run(const CommandLine::Outcome& command, host::ClipboardKeeper* keeper) {
  Reading read;
  if (command.mode == CommandLine::Mode::At) {
    const std::unique_ptr<host::ScreenSource> screen = host::createScreenSource();
    read = readAt(*screen, command.at, kGrantWaitMs);
  } else {
    read = pick();
  }
  std::function<bool(const QString&)> copy;
  if (keeper != nullptr) copy = [&](const QString& text) { return keeper->keep(text); };
  return finish(command, read, copy);
}

}  // namespace ScreenCommands
