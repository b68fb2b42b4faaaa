// orvandel: the desktop program. "orvandel MAP.bmp" opens the map at start, as a file
// manager asks when the user opens a BMP file with the program.
#include <QApplication>
#include <iostream>
#include <string_view>

#include "orvandel/fileio/interrupt_cleanup.h"
#include "orvandel/version.h"
#include "shell/program.h"
#include "shell/qt_user_dialogs.h"

int main(int argc, char** argv) {
  // Answered before Qt opens the display, so that it works without one.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << orvandel::kVersionLine << "\n";
    return 0;
  }
  orvandel::InstallInterruptCleanup();
  QApplication application(argc, argv);  // takes Qt's own options out of the arguments
  const QStringList maps = QApplication::arguments().mid(1);
  if (maps.size() > 1 || (!maps.isEmpty() && maps.first().startsWith('-'))) {
    std::cerr << "Usage: orvandel [MAP.bmp]\n       orvandel --version\n";
    return 2;
  }
  QApplication::setApplicationName(orvandel::gui::kApplicationTitle);
  orvandel::gui::QtUserDialogs dialogs;
  orvandel::gui::Program program(dialogs);
  program.Start();
  if (!maps.isEmpty()) program.OpenAtStart(maps.first());
  return QApplication::exec();
}
