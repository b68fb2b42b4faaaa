#include "settings/desktop_settings.h"

#include <algorithm>

#include "settings/stored_values.h"

namespace orvandel::gui {
namespace {

// The render window's size once it can grow: no side beyond any screen of today.
constexpr QSize kLargestWindow(16384, 16384);
// saveGeometry() writes less than a hundred bytes.
constexpr qsizetype kMaxGeometryBytes = 1024;
// A typed option is a number of a few characters.
constexpr qsizetype kMaxOptionText = 64;

// Indexed by DialogKind and RenderToggle.
const char* const kFolderKeys[] = {"folders/map", "folders/scene", "folders/mesh",
                                   "folders/picture"};
const char* const kToggleKeys[] = {"render/wire", "render/autorender", "render/fileOrder"};

QString FolderKey(DialogKind kind) {
  return kFolderKeys[static_cast<int>(kind)];
}

QString ToggleKey(RenderToggle toggle) {
  return kToggleKeys[static_cast<int>(toggle)];
}

}  // namespace

DesktopSettings::DesktopSettings()
    : DesktopSettings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                  "orvandel", "orvandel")) {}

DesktopSettings::DesktopSettings(const QString& file_name)
    : DesktopSettings(std::make_unique<QSettings>(file_name, QSettings::IniFormat)) {}

// What could be read of a file that did not parse is dropped: every value is then its
// default, and the next write replaces the file with a sound one.
DesktopSettings::DesktopSettings(std::unique_ptr<QSettings> store) : store_(std::move(store)) {
  if (store_->status() != QSettings::NoError) store_->clear();
}

DesktopSettings::~DesktopSettings() = default;

QString DesktopSettings::Folder(DialogKind kind) const {
  return StoredName(store_->value(FolderKey(kind))).value_or(QString());
}

void DesktopSettings::SetFolder(DialogKind kind, const QString& folder) {
  store_->setValue(FolderKey(kind), folder);
}

// An entry that fails its checks is passed over, and so is a name already listed.
QList<DesktopSettings::RecentFile> DesktopSettings::ReadRecent(const QString& list) const {
  QList<RecentFile> files;
  const int size = std::clamp<int>(store_->beginReadArray(list), 0, kRecentFiles);
  for (int i = 0; i < size; ++i) {
    store_->setArrayIndex(i);
    const std::optional<QString> name = StoredName(store_->value("file"));
    const auto listed = [&](const RecentFile& file) { return file.file_name == name; };
    if (!name || std::any_of(files.begin(), files.end(), listed)) continue;
    files.append({*name, StoredPanelTexts(store_->value("texts"))});
  }
  store_->endArray();
  return files;
}

void DesktopSettings::WriteRecent(const QString& list, const QList<RecentFile>& files) {
  store_->remove(list);
  store_->beginWriteArray(list, static_cast<int>(files.size()));
  for (int i = 0; i < files.size(); ++i) {
    store_->setArrayIndex(i);
    store_->setValue("file", files[i].file_name);
    if (files[i].texts) store_->setValue("texts", *files[i].texts);
  }
  store_->endArray();
}

// A file listed already moves to the front with the texts it kept.
void DesktopSettings::AddRecent(const QString& list, const QString& file_name) {
  QList<RecentFile> files = ReadRecent(list);
  RecentFile added{file_name, std::nullopt};
  const auto listed = std::find_if(files.begin(), files.end(), [&](const RecentFile& file) {
    return file.file_name == file_name;
  });
  if (listed != files.end()) {
    added = *listed;
    files.erase(listed);
  }
  files.prepend(added);
  WriteRecent(list, files.mid(0, kRecentFiles));
}

QStringList DesktopSettings::RecentNames(const QString& list) const {
  QStringList names;
  for (const RecentFile& file : ReadRecent(list))
    names << file.file_name;
  return names;
}

QStringList DesktopSettings::RecentMaps() const {
  return RecentNames("recentMaps");
}

QStringList DesktopSettings::RecentScenes() const {
  return RecentNames("recentScenes");
}

void DesktopSettings::AddRecentMap(const QString& file_name) {
  AddRecent("recentMaps", file_name);
}

void DesktopSettings::AddRecentScene(const QString& file_name) {
  AddRecent("recentScenes", file_name);
}

std::optional<QStringList> DesktopSettings::MapTexts(const QString& map_file) const {
  for (const RecentFile& file : ReadRecent("recentMaps")) {
    if (file.file_name == map_file) return file.texts;
  }
  return std::nullopt;
}

void DesktopSettings::SetMapTexts(const QString& map_file, const QStringList& texts) {
  QList<RecentFile> files = ReadRecent("recentMaps");
  for (RecentFile& file : files) {
    if (file.file_name == map_file) file.texts = texts;
  }
  WriteRecent("recentMaps", files);
}

QByteArray DesktopSettings::MainWindowGeometry() const {
  return StoredBytes(store_->value("mainWindow/geometry"), kMaxGeometryBytes)
      .value_or(QByteArray());
}

void DesktopSettings::SetMainWindowGeometry(const QByteArray& geometry) {
  store_->setValue("mainWindow/geometry", geometry);
}

std::optional<QSize> DesktopSettings::RenderWindowSize() const {
  return StoredSize(store_->value("render/size"), kLargestWindow);
}

void DesktopSettings::SetRenderWindowSize(QSize size) {
  store_->setValue("render/size", size);
}

bool DesktopSettings::Toggle(RenderToggle toggle) const {
  return StoredBool(store_->value(ToggleKey(toggle))).value_or(toggle == RenderToggle::kAutorender);
}

void DesktopSettings::SetToggle(RenderToggle toggle, bool on) {
  store_->setValue(ToggleKey(toggle), on);
}

std::optional<QString> DesktopSettings::Text(const QString& name) const {
  return StoredText(store_->value("texts/" + name), kMaxOptionText);
}

void DesktopSettings::SetText(const QString& name, const QString& text) {
  store_->setValue("texts/" + name, text);
}

}  // namespace orvandel::gui
