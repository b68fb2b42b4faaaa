// Feeds arbitrary bytes to the desktop program as its settings file: every value must read
// as one the program can use, or as its default, never end in a crash or undefined
// behaviour; lists keep their lengths and texts theirs. A file added to the recent list
// then stands first in it.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "settings/desktop_settings.h"
#include "settings/stored_values.h"

namespace {

using namespace orvandel::gui;

void Require(bool promise) {
  if (!promise) std::abort();
}

bool IsName(const QString& name) {
  return !name.isEmpty() && name.size() <= kMaxStoredName;
}

// Settings files are cached by name while their time stamp stays, so each input gets a
// name of its own; in memory where the system has a folder for that, as every input is
// written, read and written again.
QString WriteSettingsFile(const std::uint8_t* data, std::size_t size) {
  static int count = 0;
  static const QString folder = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
  const QString name =
      QString("%1/orvandel-settings-fuzz-%2-%3.ini").arg(folder).arg(getpid()).arg(++count);
  QFile file(name);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  return name;
}

void ReadRecentMaps(const DesktopSettings& settings) {
  const QStringList maps = settings.RecentMaps();
  Require(maps.size() <= DesktopSettings::kRecentFiles);
  for (const QString& map : maps) {
    Require(IsName(map));
    const std::optional<QStringList> texts = settings.MapTexts(map);
    Require(!texts || texts->size() == kPanelFieldCount);
  }
}

void ReadEverything(const DesktopSettings& settings) {
  for (DialogKind kind :
       {DialogKind::kMap, DialogKind::kScene, DialogKind::kMesh, DialogKind::kPicture}) {
    const QString folder = settings.Folder(kind);
    Require(folder.isEmpty() || IsName(folder));
  }
  ReadRecentMaps(settings);
  Require(settings.RecentScenes().size() <= DesktopSettings::kRecentFiles);
  Require(settings.MainWindowGeometry().size() <= 1024);
  const std::optional<QSize> size = settings.RenderWindowSize();
  Require(!size || (size->width() >= 1 && size->height() >= 1));
  for (RenderToggle toggle :
       {RenderToggle::kWire, RenderToggle::kAutorender, RenderToggle::kFileOrder}) {
    settings.Toggle(toggle);
  }
  Require(settings.Text("verticalScale").value_or(QString()).size() <= 64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString name = WriteSettingsFile(data, size);
  {
    DesktopSettings settings(name);
    ReadEverything(settings);
    settings.AddRecentMap("/maps/added.bmp");
    const QStringList maps = settings.RecentMaps();
    Require(!maps.isEmpty() && maps.front() == "/maps/added.bmp");
    Require(maps.size() <= DesktopSettings::kRecentFiles);
  }
  QFile::remove(name);
  return 0;
}
