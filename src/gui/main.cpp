// orvandel: the desktop program.
#include <QApplication>
#include <iostream>
#include <string_view>

#include "orvandel/version.h"
#include "shell/program.h"
#include "shell/qt_user_dialogs.h"

int main(int argc, char** argv) {
  // Answered before Qt opens the display, so that it works without one.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << orvandel::kVersionLine << "\n";
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(orvandel::gui::kApplicationTitle);
  orvandel::gui::QtUserDialogs dialogs;
  orvandel::gui::Program program(dialogs);
  program.Start();
  return QApplication::exec();
}
