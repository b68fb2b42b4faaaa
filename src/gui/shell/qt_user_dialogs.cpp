#include "shell/qt_user_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "shell/program.h"

namespace orvandel::gui {
namespace {

// Any name may be typed into either dialog: a file that does not exist reaches the
// command, which tells the user so. The save dialog adds the default extension itself, so
// that it asks before overwriting the file that is really meant.
std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString::fromStdString(settings.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QtFileFilter(settings.filter));
  if (mode == QFileDialog::AcceptSave) {
    dialog.setDefaultSuffix(QString::fromStdString(settings.default_extension));
    // A name typed without an extension takes that of the filter the user picked.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                       const QString suffix = FilterSuffix(filter);
                       if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
                     });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

QString FilterEntry(const QString& description, const QString& pattern) {
  if (description.endsWith("(" + pattern + ")")) return description;
  return description + " (" + pattern + ")";
}

}  // namespace

QString FilterSuffix(const QString& filter) {
  static const QRegularExpression kPattern(R"(\(\*\.(\w+)\)$)");
  return kPattern.match(filter).captured(1);
}

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  if (parts.size() < 2) return parts.first();
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries << FilterEntry(parts[i], parts[i + 1]);
  return entries.join(";;");
}

QString WithDefaultExtension(const QString& chosen, const std::string& extension) {
  const QFileInfo info(chosen);
  if (extension.empty() || info.fileName().contains('.') || info.isFile()) return chosen;
  const QString wanted = info.fileName() + '.' + QString::fromStdString(extension);
  const QDir folder = info.dir();
  if (folder.exists(wanted)) return folder.filePath(wanted);
  for (const QString& entry : folder.entryList(QDir::Files)) {
    if (entry.compare(wanted, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
  }
  return folder.filePath(wanted);
}

void QtUserDialogs::ShowError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, "Error", text, QMessageBox::NoButton, parent_);
  box.addButton(QMessageBox::Abort)->setText("&Abort");
  box.exec();
}

void QtUserDialogs::ShowGeneralError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok, parent_);
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
  const auto chosen = RunFileDialog(parent_, settings, QFileDialog::AcceptOpen);
  if (!chosen) return std::nullopt;
  return WithDefaultExtension(*chosen, settings.default_extension);
}

std::optional<QString> QtUserDialogs::AskSaveFile(const FileDialogSettings& settings) {
  return RunFileDialog(parent_, settings, QFileDialog::AcceptSave);
}

}  // namespace orvandel::gui
