#include "shell/qt_user_dialogs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "shell/program.h"

namespace orvandel::gui {
namespace {

// Any name may be typed into either dialog: a file that does not exist reaches the
// command, which tells the user so. The save dialog adds the default extension itself, so
// that it asks before overwriting the file that is really meant.
std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSettings& settings,
                                     const QString& folder, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString::fromStdString(settings.title), folder);
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

// Window managers shorten a title that does not fit beside their buttons ("O... EL"), and
// a message box is only as wide as its text: the box gets the width of its title in bold
// and the room of the title bar's buttons.
void MakeRoomForTitle(QMessageBox& box) {
  constexpr int kTitleBarButtons = 150;
  QFont bold = box.font();
  bold.setBold(true);
  const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (layout == nullptr) return;
  layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  layout->rowCount(), 0, 1, layout->columnCount());
}

int ShowBox(QMessageBox& box) {
  MakeRoomForTitle(box);
  return box.exec();
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
  ShowBox(box);
}

void QtUserDialogs::ShowGeneralError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok, parent_);
  ShowBox(box);
}

bool QtUserDialogs::ConfirmWarning(const QString& text) {
  // The text breaks its lines with a carriage return, which a message box shows as nothing.
  QString shown = text;
  shown.replace('\r', '\n');
  QMessageBox box(QMessageBox::Warning, "Warning", shown, QMessageBox::Ok | QMessageBox::Cancel,
                  parent_);
  box.setEscapeButton(QMessageBox::Cancel);
  return ShowBox(box) == QMessageBox::Ok;
}

bool QtUserDialogs::AskYesNo(const QString& text) {
  QMessageBox box(QMessageBox::Question, kApplicationTitle, text,
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setEscapeButton(QMessageBox::No);
  return ShowBox(box) == QMessageBox::Yes;
}

// A caption above each field, so that long captions need no wide dialog.
std::optional<QStringList> QtUserDialogs::AskValues(const QString& title,
                                                    const QList<TypedValue>& values) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  QList<QLineEdit*> fields;
  for (const TypedValue& value : values) {
    auto* field = new QLineEdit(value.text);
    field->selectAll();  // typing replaces the text shown
    auto* caption = new QLabel(value.caption);
    caption->setBuddy(field);
    layout->addWidget(caption);
    layout->addWidget(field);
    fields << field;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QStringList texts;
  for (const QLineEdit* field : fields)
    texts << field->text();
  return texts;
}

std::optional<QString> QtUserDialogs::AskOpenFile(const FileDialogSettings& settings,
                                                  const QString& folder) {
  const auto chosen = RunFileDialog(parent_, settings, folder, QFileDialog::AcceptOpen);
  if (!chosen) return std::nullopt;
  return WithDefaultExtension(*chosen, settings.default_extension);
}

std::optional<QString> QtUserDialogs::AskSaveFile(const FileDialogSettings& settings,
                                                  const QString& folder) {
  return RunFileDialog(parent_, settings, folder, QFileDialog::AcceptSave);
}

}  // namespace orvandel::gui
