// Shows the slider test window until it is closed, to try the sliders by hand or look at them
// on a private X server.
#include <QApplication>

#include "SliderWindow.h"
#include "host/Fonts.h"
#include "host/Forms.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  host::registerApplicationFonts();
  SliderWindow window;
  window.Move(1500, 1500);
  window.Show();
  return host::exec();
}
