#pragma once

#include <QWidget>

#include "shell/user_dialogs.h"

namespace orvandel::gui {

// The dialogs as a person sees them: QMessageBox and QFileDialog.
class QtUserDialogs : public UserDialogs {
 public:
  // Dialogs open over parent (null until the main window exists).
  void SetParent(QWidget* parent) override { parent_ = parent; }

  void ShowError(const QString& text) override;
  void ShowGeneralError(const QString& text) override;
  bool ConfirmWarning(const QString& text) override;
  bool AskYesNo(const QString& text) override;
  std::optional<QStringList> AskValues(const QString& title,
                                       const QList<TypedValue>& values) override;
  std::optional<QString> AskOpenFile(const FileDialogSettings& settings,
                                     const QString& folder) override;
  std::optional<QString> AskSaveFile(const FileDialogSettings& settings,
                                     const QString& folder) override;

 private:
  QWidget* parent_ = nullptr;
};

// A filter of one or more "Description|*.ext" pairs, all joined by "|", as a file dialog
// takes it: "Description (*.ext)" entries joined by ";;".
QString QtFileFilter(const std::string& filter);

// The file an open dialog's answer names. A name typed without extension gets the default
// extension; this system tells capitals from small letters, so a file that carries the
// extension in another case ("valley.BMP" for "valley" and "bmp") is found as well. A
// name that names no file comes back as typed plus the extension, for the command to
// report.
QString WithDefaultExtension(const QString& chosen, const std::string& extension);

// The extension of a dialog's filter "Description (*.ext)", "ext"; empty for any other.
QString FilterSuffix(const QString& filter);

}  // namespace orvandel::gui
