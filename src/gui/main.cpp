// orvandel: the desktop program.
#include <QApplication>

#include "shell/program.h"
#include "shell/qt_user_dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(orvandel::gui::kApplicationTitle);
  orvandel::gui::QtUserDialogs dialogs;
  orvandel::gui::Program program(dialogs);
  program.Start();
  return QApplication::exec();
}
