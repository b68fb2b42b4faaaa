#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "orvandel/commands/user_interface.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/writers/mesh_write.h"
#include "settings/desktop_settings.h"
#include "shell/qt_busy_cursor.h"
#include "viewer/scene_loader.h"

namespace orvandel::gui {

class Program;
class RecentFilesMenu;
class TfrmDoc;
class TfrmGenCPanel;
class TfrmMap;
class TfrmRender;

// The main window: a multiple-document frame with the program's menu ("&Menu", and "&Edit"
// for undoing the control panel's changes). Each menu handler forwards to the command it
// names (OpenBMPfile1Click to OpenMap(), ...), which the rest of the program calls.
class TfrmMainMDI : public QMainWindow {
  Q_OBJECT

 public:
  explicit TfrmMainMDI(Program& program);

  // Shows the colour-depth warning; on Cancel asks the program to end once its event loop
  // starts and returns false.
  bool FormCreate();
  // Creates the control panel against the right edge of the window's work area, and the
  // menu that undoes its changes.
  TfrmGenCPanel* CreateControlPanel();
  // Shows the window where the user left it in the last run, else maximised.
  void ShowAsLeft();

  // The commands of the menu.
  void OpenMap();
  void Generate();
  // Shows the terrain the panel's settings make in the render window, without a file.
  void Preview();
  void OpenScene();
  void SavePicture();
  void ShowDocumentation();
  void Exit();
  // Opens a map as "Open BMP image file" does after its dialog, showing what ends it.
  void OpenMapFile(const std::string& file_name);
  // Opens a scene as "Open 3DF file" does after its dialog: loads it while the program goes
  // on, under the busy cursor; Escape stops the load.
  void OpenSceneFile(const QString& file_name);
  // Stops loading a scene, if one loads; nothing changes.
  void StopLoading();
  bool SceneLoading() const;
  // Paints in file order, or in depth order, as "Paint in &file order" says.
  void ChoosePaintOrder();

  bool MapWindowOpen() const { return frmMap != nullptr; }
  bool DocWindowOpen() const { return frmDoc != nullptr; }
  bool RenderWindowOpen() const { return frmRender != nullptr; }

  QMdiArea* MdiArea = nullptr;  // the work area that holds the child windows
  // Set while the window exists; a window the user closes is destroyed.
  TfrmMap* frmMap = nullptr;               // the map of the last map opened
  TfrmDoc* frmDoc = nullptr;               // "document.txt"
  TfrmRender* frmRender = nullptr;         // the scene opened last
  QAction* OpenBMPfile1 = nullptr;         // "&Open BMP image file...", Ctrl+O
  QAction* Generate3Dfile1 = nullptr;      // "&Generate 3D file...", Ctrl+G
  QAction* Preview1 = nullptr;             // "&Preview terrain", Ctrl+P
  QAction* Open3Dfile1 = nullptr;          // "Open 3&DF file...", Ctrl+Shift+O
  QAction* Save3D1 = nullptr;              // "&Save 3D picture as...", Ctrl+S
  QAction* FileOrder1 = nullptr;           // "Paint in &file order", checked: as before
  QAction* Documentation1 = nullptr;       // "Do&cumentation", F1
  QAction* Exit1 = nullptr;                // "E&xit", Ctrl+Q
  QAction* Undo1 = nullptr;                // "&Undo": the panel's last change, Ctrl+Z
  QAction* Redo1 = nullptr;                // "&Redo": the change undone last, Ctrl+Shift+Z, Ctrl+Y
  RecentFilesMenu* RecentMaps1 = nullptr;  // "&Recent maps": the last maps, opened again
  RecentFilesMenu* RecentScenes1 = nullptr;  // "Recent sc&enes": the last scenes

 public slots:
  void OpenBMPfile1Click() { OpenMap(); }
  void Generate3Dfile1Click() { Generate(); }
  void Preview1Click() { Preview(); }
  void FileOrder1Click() { ChoosePaintOrder(); }
  void Open3Dfile1Click() { OpenScene(); }
  void Save3D1Click() { SavePicture(); }
  void Documentation1Click() { ShowDocumentation(); }
  void Exit1Click() { Exit(); }
  // The generate command, shared by the menu and the panel's button.
  void GoOn() { Generate(); }

 protected:
  // Keeps the control panel in the top right corner of the work area as it changes.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateMenu();
  // "&Edit": the undo and redo of the panel's changes.
  void CreateEditMenu(TfrmGenCPanel* panel);
  // The visible part of the work area, in the window's coordinates.
  QRect WorkArea() const;
  void PlaceAtRightEdge(QWidget* window);
  // A file dialog of one kind, opening where that kind last found its file.
  std::optional<QString> AskFile(DialogKind kind, const FileDialogSettings& settings, bool save);
  // The generate command's output file, and the mesh options when its format takes them.
  std::optional<std::string> ChooseOutput(const FileDialogSettings& settings, MeshOptions& options);
  void LoadMap(const std::string& file_name);
  TfrmMap* MapWindow();
  void KeepMapTexts(const std::string& map_file);
  void OfferMapTexts(const QString& map_file);
  // Runs a command on the panel's settings; after a refusal that concerns one field, that
  // field has the focus, its text selected. False when the command failed.
  bool RunPanelCommand(const std::function<void(const PanelTexts&)>& command);
  TfrmRender* RenderWindow(const QString& caption);
  void SceneLoaded(const std::shared_ptr<ViewerState>& loaded, std::exception_ptr failure);
  // Shows a scene loaded apart in the render window, captioned, with scene_file as the file
  // that it shows.
  void ShowScene(const QString& caption, const std::string& scene_file, ViewerState&& loaded);
  void MapClicked(unsigned colour, const QPoint& screen_point);
  QString DescribeMapColour(unsigned colour) const;
  void RememberForNextRun();

  Program& program_;
  SceneLoader* scene_loader_ = nullptr;
  QString loading_file_;  // the scene file the loader reads
  QtBusyCursor busy_cursor_;
  std::optional<BusyScope> loading_busy_;
};

}  // namespace orvandel::gui
