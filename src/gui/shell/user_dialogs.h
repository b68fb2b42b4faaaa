#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "orvandel/commands/generate_command.h"
#include "orvandel/fileio/failure.h"

namespace orvandel::gui {

// One value a dialog asks to be typed: its caption, and the text it shows at first.
struct TypedValue {
  QString caption;
  QString text;
};

// Every message box and file dialog of the program goes through this interface, so that
// tests can answer them without a person.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // Every dialog from now on opens over parent, the main window.
  virtual void SetParent(QWidget* parent) = 0;

  // The error dialog: caption "Error", stop icon, one button "&Abort".
  virtual void ShowError(const QString& text) = 0;
  // The general error box: caption "ORVANDEL", stop icon, "OK". The text ends with ".".
  virtual void ShowGeneralError(const QString& text) = 0;
  // The start-up warning: caption "Warning", exclamation icon, "OK" and "Cancel". True for
  // OK; Cancel and closing the box give false.
  virtual bool ConfirmWarning(const QString& text) = 0;
  // A question to the user: caption "ORVANDEL", "Yes" and "No". True for Yes; No and
  // closing the box give false.
  virtual bool AskYesNo(const QString& text) = 0;
  // A dialog of typed values, titled title, with "OK" and "Cancel": the texts as the user
  // left them, in the order of values, or nothing on Cancel.
  virtual std::optional<QStringList> AskValues(const QString& title,
                                               const QList<TypedValue>& values) = 0;
  // File dialogs, opening in folder (the working folder when it is empty); nothing when the
  // user cancels. The save dialog asks before overwriting.
  virtual std::optional<QString> AskOpenFile(const FileDialogSettings& settings,
                                             const QString& folder) = 0;
  virtual std::optional<QString> AskSaveFile(const FileDialogSettings& settings,
                                             const QString& folder) = 0;

  // Runs a command and shows the failure that ends it, if any: a refusal in the error
  // dialog, a runtime failure in the general error box, and running out of memory as the
  // general error "Out of memory.". What the command did before stays done. True when the
  // command ran to its end.
  bool RunCommand(const std::function<void()>& command);
};

}  // namespace orvandel::gui
