// Tintwell: the color of the screen pixel under the mouse cursor, in many notations at once.
#include <QApplication>

#include "ColorPicker.h"
#include "host/Fonts.h"
#include "host/Screen.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tintwell"));
  host::registerApplicationFonts();
  host::QtScreenSource screen;
  ColorPicker picker(screen);
  picker.Show();
  return QApplication::exec();
}
