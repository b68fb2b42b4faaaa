#include "shell/qt_user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace orvandel::gui {
namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString::fromStdString(settings.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilter(QtFileFilter(settings.filter));
  dialog.setDefaultSuffix(QString::fromStdString(settings.default_extension));
  // A name typed without an extension takes that of the filter the user picked.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) {
                     const QString suffix = FilterSuffix(filter);
                     if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
                   });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

}  // namespace

QString FilterSuffix(const QString& filter) {
  static const QRegularExpression kPattern(R"(\(\*\.(\w+)\)$)");
  return kPattern.match(filter).captured(1);
}

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  if (parts.size() < 2) return parts.first();
  QStringList filters;
  for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
    const QString& description = parts[k];
    const QString& pattern = parts[k + 1];
    filters += description.endsWith("(" + pattern + ")") ? description
                                                         : description + " (" + pattern + ")";
  }
  return filters.join(";;");
}

void QtUserDialogs::ShowError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, "Error", text, QMessageBox::NoButton, parent_);
  box.addButton(QMessageBox::Abort)->setText("&Abort");
  box.exec();
}

void QtUserDialogs::ShowGeneralError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent_);
  box.exec();
}

bool QtUserDialogs::ConfirmWarning(const QString& text) {
  // The text breaks its lines with a carriage return, which a message box shows as nothing.
  QString shown = text;
  shown.replace('\r', '\n');
  QMessageBox box(QMessageBox::Warning, "Warning", shown, QMessageBox::Ok | QMessageBox::Cancel,
                  parent_);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtUserDialogs::AskOpenFile(const FileDialogSettings& settings) {
  return RunFileDialog(parent_, settings, QFileDialog::AcceptOpen);
}

std::optional<QString> QtUserDialogs::AskSaveFile(const FileDialogSettings& settings) {
  return RunFileDialog(parent_, settings, QFileDialog::AcceptSave);
}

}  // namespace orvandel::gui
