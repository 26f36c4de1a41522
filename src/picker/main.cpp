// Tintwell: the color of the screen pixel under the mouse cursor, in many notations at once.
#include "host/Application.h"

#include "ColorPicker.h"
#include "effects/modOSversion.h"
#include "host/Fonts.h"
#include "host/Forms.h"
#include "host/Screen.h"
#include "program/ProgramFlags.h"

int main(int argc, char** argv) {
  host::Application app(argc, argv);
  host::Application::setApplicationName(QStringLiteral("Tintwell"));
  host::registerApplicationFonts();
  // Start-up: the system's name first, then the common controls, then the picker window.
  ProgramFlags::OSVersionName = modOSversion::GetOSVersion();
  (void)ColorPickerMain::InitCommonCtls();
  host::QtScreenSource screen;
  ColorPicker picker(screen);
  picker.Show();
  return host::exec();
}
