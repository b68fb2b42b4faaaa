#pragma once

#include <QWidget>

#include "shell/user_dialogs.h"

namespace orvandel::gui {

// The dialogs as a person sees them: QMessageBox and QFileDialog.
class QtUserDialogs : public UserDialogs {
 public:
  // Dialogs open over parent (may be null until the main window exists).
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowError(const QString& text) override;
  void ShowGeneralError(const QString& text) override;
  bool ConfirmWarning(const QString& text) override;
  std::optional<QString> AskOpenFile(const FileDialogSettings& settings) override;
  std::optional<QString> AskSaveFile(const FileDialogSettings& settings) override;

 private:
  QWidget* parent_ = nullptr;
};

// A filter "Description|*.ext" as a file dialog takes it: "Description (*.ext)"; several
// such pairs joined by "|" become filters separated by ";;".
QString QtFileFilter(const std::string& filter);

// The extension of a dialog's filter "Description (*.ext)", "ext"; empty for any other.
QString FilterSuffix(const QString& filter);

}  // namespace orvandel::gui
