#include "shell/document_file.h"

#include <QDir>
#include <QFileInfo>

namespace orvandel::gui {

QString InstalledDataFolder(const QString& program_folder) {
  // The install rules put the data at this path relative to the programs' folder.
  return QDir::cleanPath(QDir(program_folder).filePath(ORVANDEL_DATA_FROM_BIN));
}

QString DocumentFile(const QString& program_folder) {
  const QString installed = QDir(InstalledDataFolder(program_folder)).filePath(kDocumentFileName);
  return QFileInfo(installed).isFile() ? installed : kDocumentFileName;
}

}  // namespace orvandel::gui
