#pragma once

#include <QFile>
#include <QTemporaryDir>

#include "mapinput/orvan_gencpanel_f.h"
#include "scripted_dialogs.h"
#include "shell/orvan_main_f.h"
#include "shell/program.h"

namespace orvandel::gui {

// The desktop program as a user starts it: the start-up warning answered with OK, the
// later dialogs answered by a script, and a temporary folder for its files and settings.
struct RunningProgram {
  RunningProgram() : settings(dir.filePath("settings.ini")), program(dialogs, settings) {
    started = program.Start();
    dialogs.TakeShown();
  }

  TfrmMainMDI* Main() const { return program.frmMainMDI.get(); }
  TfrmGenCPanel* Panel() const { return program.frmGenCPanel; }

  // Writes a file into the temporary folder; returns its path.
  QString WriteFile(const QString& name, const QByteArray& bytes) const {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
  }

  // "Open BMP image file" with path typed into its dialog.
  void OpenMap(const QString& path) {
    dialogs.open_answers.push_back(path);
    Main()->OpenBMPfile1Click();
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  DesktopSettings settings;
  Program program;
  bool started = false;
};

}  // namespace orvandel::gui
