#include "shell/recent_files_menu.h"

#include <QFileInfo>

namespace orvandel::gui {

RecentFilesMenu::RecentFilesMenu(const QString& title, std::function<QStringList()> files,
                                 std::function<void(const QString&)> open, QWidget* parent)
    : QMenu(title, parent), files_(std::move(files)), open_(std::move(open)) {
  connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::Refresh);
  Refresh();
}

void RecentFilesMenu::Refresh() {
  clear();
  const QStringList files = files_();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString file = files[i];
    // An "&" in a name is shown as it is, not taken for a mnemonic.
    QString shown = file;
    QAction* item = addAction(QString("&%1 %2").arg(i + 1).arg(shown.replace("&", "&&")), this,
                              [this, file] { open_(file); });
    item->setEnabled(QFileInfo::exists(file));
  }
  if (files.isEmpty()) addAction("(none)")->setEnabled(false);
}

}  // namespace orvandel::gui
