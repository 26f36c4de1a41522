// Tintwell: the color of the screen pixel under the mouse cursor, in many notations at once.
#include <cstdio>

#include "ColorPicker.h"
#include "CommandLine.h"
#include "ScreenCommands.h"
#include "effects/modOSversion.h"
#include "host/draw/Fonts.h"
#include "host/forms/Forms.h"
#include "host/platform/Application.h"
#include "host/platform/ClipboardKeeper.h"
#include "host/screen/ScreenNotice.h"
#include "host/screen/ScreenSource.h"
#include "host/screen/ScreenSourceLoader.h"
#include "program/ProgramFlags.h"

int main(int argc, char** argv) {
  const host::AppVersion v = host::App();
  const QString version = QStringLiteral("%1.%2.0.%3").arg(v.Major).arg(v.Minor).arg(v.Revision);
  // Before the application object, which needs a display: --help works without one.
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  const CommandLine::Outcome command = CommandLine::read(arguments, version);
  if (!command.run) {
    std::fputs(command.text.toLocal8Bit().constData(), command.status == 0 ? stdout : stderr);
    return command.status;
  }
  if (command.mode != CommandLine::Mode::Window) {
    // The clipboard's keeper is forked before the toolkit starts a thread.
    const std::unique_ptr<host::ClipboardKeeper> keeper =
        command.copy ? host::ClipboardKeeper::start() : nullptr;
    if (command.mode == CommandLine::Mode::At && host::firstPlatform(argc, argv) == "xcb") {
      if (const std::optional<int> status =
              ScreenCommands::runAtOnX11(command, host::x11DisplayName(argc, argv), keeper.get()))
        return *status;
    }
    host::Application app(argc, argv);
    return ScreenCommands::run(command, keeper.get());
  }
  host::Application app(argc, argv);
  host::Application::setApplicationName(QStringLiteral("Tintwell"));
  host::Application::setApplicationVersion(version);
  // The desktop entry, so a desktop (Wayland especially) matches the window to its icon.
  host::Application::setDesktopFileName(QStringLiteral("org.tintwell.Tintwell"));
  host::registerApplicationFonts();
  // Start-up: the system's name first, then the common controls, then the picker window.
  ProgramFlags::OSVersionName = modOSversion::GetOSVersion();
  (void)ColorPickerMain::InitCommonCtls();
  const std::unique_ptr<host::ScreenSource> screen = host::createScreenSource();
  ColorPicker picker(*screen);
  picker.Show();
  // Why the screen cannot be read (on Wayland), over the title strip's "Always on Top" box, which
  // a Wayland desktop ignores, and the position readout, up to the "?" link.
  host::showScreenNotice(*screen, picker, QRect(16, 0, 263, 17));
  return host::exec();
}
