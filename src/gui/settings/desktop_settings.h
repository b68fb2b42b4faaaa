#pragma once

#include <QSettings>
#include <QSize>
#include <QStringList>
#include <memory>
#include <optional>

namespace orvandel::gui {

// The file dialogs that each start in the folder where their last file was chosen.
enum class DialogKind { kMap, kScene, kMesh, kPicture };

// The render window's check boxes and menu items that stay as the user left them.
enum class RenderToggle { kWire, kAutorender, kFileOrder };

// What the desktop program keeps between runs, in the ordinary per-user place. Every value
// is checked as it is read (see stored_values.h): a value of the wrong type, out of range or
// too long reads as its default, and a settings file that cannot be read or parsed is
// ignored as a whole. Writes that fail are not reported: nothing but the remembering is
// lost.
class DesktopSettings {
 public:
  // The user's own settings.
  DesktopSettings();
  // The settings in that file (INI format).
  explicit DesktopSettings(const QString& file_name);
  ~DesktopSettings();
  DesktopSettings(const DesktopSettings&) = delete;
  DesktopSettings& operator=(const DesktopSettings&) = delete;

  static constexpr qsizetype kRecentFiles = 8;

  // Where the dialog of that kind last found its file; empty before the first time.
  QString Folder(DialogKind kind) const;
  void SetFolder(DialogKind kind, const QString& folder);

  // The maps and scenes opened last, most recent first, at most kRecentFiles of each.
  QStringList RecentMaps() const;
  QStringList RecentScenes() const;
  // Puts a file first in its list, which keeps its first kRecentFiles entries.
  void AddRecentMap(const QString& file_name);
  void AddRecentScene(const QString& file_name);

  // The 22 texts of the control panel last used with a map of the recent list, heights
  // first; nothing when none were kept.
  std::optional<QStringList> MapTexts(const QString& map_file) const;
  // Keeps the texts for a map of the recent list; a map not on it is passed over.
  void SetMapTexts(const QString& map_file, const QStringList& texts);

  QByteArray MainWindowGeometry() const;
  void SetMainWindowGeometry(const QByteArray& geometry);
  // The render window's size, once it can be resized; nothing before.
  std::optional<QSize> RenderWindowSize() const;
  void SetRenderWindowSize(QSize size);

  // Wire unchecked, Autorender checked, file order off at first.
  bool Toggle(RenderToggle toggle) const;
  void SetToggle(RenderToggle toggle, bool on);

  // A text typed into a dialog, as the user left it: the mesh options. Nothing at first.
  std::optional<QString> Text(const QString& name) const;
  void SetText(const QString& name, const QString& text);

 private:
  explicit DesktopSettings(std::unique_ptr<QSettings> store);

  struct RecentFile {
    QString file_name;
    std::optional<QStringList> texts;  // the panel's, kept for maps only
  };
  QList<RecentFile> ReadRecent(const QString& list) const;
  void WriteRecent(const QString& list, const QList<RecentFile>& files);
  void AddRecent(const QString& list, const QString& file_name);
  QStringList RecentNames(const QString& list) const;

  std::unique_ptr<QSettings> store_;
};

}  // namespace orvandel::gui
