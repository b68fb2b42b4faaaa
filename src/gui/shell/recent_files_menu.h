#pragma once

#include <QMenu>
#include <functional>

namespace orvandel::gui {

// A submenu of the files opened last, most recent first, numbered for the keyboard. It
// asks for the list each time it opens; a file that no longer exists stands greyed.
class RecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  // files gives the list; open is called with the file the user picks.
  RecentFilesMenu(const QString& title, std::function<QStringList()> files,
                  std::function<void(const QString&)> open, QWidget* parent);

  // Lists the files as they are now.
  void Refresh();

 private:
  std::function<QStringList()> files_;
  std::function<void(const QString&)> open_;
};

}  // namespace orvandel::gui
