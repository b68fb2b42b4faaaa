// orvandel: the desktop program. "orvandel MAP.bmp" opens the map at start, as a file
// manager asks when the user opens a BMP file with the program.
#include <QApplication>
#include <csignal>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/fileio/interrupt_cleanup.h"
#include "orvandel/version.h"
#include "qt_messages.h"
#include "settings/desktop_settings.h"
#include "shell/program.h"
#include "shell/qt_user_dialogs.h"

int main(int argc, char** argv) {
  orvandel::RouteQtMessages();
  // Answered before Qt opens the display, so that it works without one; a version that
  // cannot be written is a failure.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << orvandel::kVersionLine << std::endl;
    return std::cout ? 0 : 1;
  }
  orvandel::InstallInterruptCleanup();
  // A pipe whose reader went away fails the save with a message instead of ending the
  // program and the user's work with it.
  std::signal(SIGPIPE, SIG_IGN);
  QApplication application(argc, argv);  // takes Qt's own options out of the arguments
  // The map's name as its bytes stand, which need not be text in any encoding.
  const std::vector<std::string> maps(argv + 1, argv + argc);
  if (maps.size() > 1 || (!maps.empty() && maps.front().starts_with('-'))) {
    std::cerr << "Usage: orvandel [MAP.bmp]\n       orvandel --version\n";
    return 2;
  }
  QApplication::setApplicationName(orvandel::gui::kApplicationTitle);
  // Wayland desktops find the windows' entry and icon by the entry's name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORVANDEL_APP_ID));
  orvandel::gui::QtUserDialogs dialogs;
  orvandel::gui::DesktopSettings settings;
  orvandel::gui::Program program(dialogs, settings);
  program.Start();
  if (!maps.empty()) program.OpenAtStart(maps.front());
  return QApplication::exec();
}
