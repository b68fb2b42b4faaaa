#pragma once

#include <QStringList>
#include <deque>

#include "shell/user_dialogs.h"

namespace orvandel::gui {

// Answers the program's dialogs from a script and records what they showed.
class ScriptedDialogs : public UserDialogs {
 public:
  void SetParent(QWidget* parent_window) override { parent = parent_window; }
  void ShowError(const QString& text) override { shown << "Error: " + text; }
  void ShowGeneralError(const QString& text) override { shown << "ORVANDEL: " + text; }
  bool ConfirmWarning(const QString& text) override {
    shown << "Warning: " + text;
    return warning_answer;
  }
  bool AskYesNo(const QString& text) override {
    shown << "Question: " + text;
    return yes_answer;
  }
  // Answers with the texts of value_answers, one list per dialog; none left is "OK" with
  // the texts shown, a null list "Cancel".
  std::optional<QStringList> AskValues(const QString&, const QList<TypedValue>& values) override {
    QStringList shown_texts;
    for (const TypedValue& value : values)
      shown_texts << value.text;
    shown_values << shown_texts;
    if (value_answers.empty()) return shown_texts;
    const std::optional<QStringList> answer = value_answers.front();
    value_answers.pop_front();
    return answer;
  }
  std::optional<QString> AskOpenFile(const FileDialogSettings& settings,
                                     const QString& folder) override {
    last_folder = folder;
    return Answer(settings, open_answers);
  }
  std::optional<QString> AskSaveFile(const FileDialogSettings& settings,
                                     const QString& folder) override {
    last_folder = folder;
    return Answer(settings, save_answers);
  }

  // The messages shown so far, emptied.
  QStringList TakeShown() {
    QStringList taken = shown;
    shown.clear();
    return taken;
  }

  QWidget* parent = nullptr;  // the window the dialogs open over
  bool warning_answer = true;
  bool yes_answer = true;
  // The names the file dialogs answer, one per dialog; none left, or a null name, cancels.
  std::deque<QString> open_answers;
  std::deque<QString> save_answers;
  std::deque<std::optional<QStringList>> value_answers;
  QList<QStringList> shown_values;  // the texts each value dialog showed at first
  QStringList shown;
  FileDialogSettings last_file_dialog;
  QString last_folder;  // where the last file dialog opened
  int file_dialogs = 0;

 private:
  std::optional<QString> Answer(const FileDialogSettings& settings, std::deque<QString>& answers) {
    last_file_dialog = settings;
    ++file_dialogs;
    if (answers.empty()) return std::nullopt;
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return answer;
  }
};

}  // namespace orvandel::gui
