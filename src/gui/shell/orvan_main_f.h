#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>

namespace orvandel::gui {

class Program;
class TfrmDoc;
class TfrmGenCPanel;
class TfrmMap;
class TfrmRender;

// The main window: a multiple-document frame with the program's one menu.
class TfrmMainMDI : public QMainWindow {
  Q_OBJECT

 public:
  explicit TfrmMainMDI(Program& program);

  // Shows the colour-depth warning; on Cancel asks the program to end once its event loop
  // starts and returns false.
  bool FormCreate();
  // Creates the control panel against the right edge of the window's work area.
  TfrmGenCPanel* CreateControlPanel();

  // The generate command, shared by the menu and the panel's button.
  void GoOn();

  bool MapWindowOpen() const { return frmMap != nullptr; }
  bool DocWindowOpen() const { return frmDoc != nullptr; }
  bool RenderWindowOpen() const { return frmRender != nullptr; }

  QMdiArea* MdiArea = nullptr;
  // Set while the window exists; a window the user closes is destroyed.
  TfrmMap* frmMap = nullptr;
  TfrmDoc* frmDoc = nullptr;
  TfrmRender* frmRender = nullptr;
  QAction* OpenBMPfile1 = nullptr;
  QAction* Generate3Dfile1 = nullptr;
  QAction* Open3Dfile1 = nullptr;
  QAction* Save3D1 = nullptr;
  QAction* Documentation1 = nullptr;
  QAction* Exit1 = nullptr;

 public slots:
  void OpenBMPfile1Click();
  // Opens a map as "Open BMP image file" does after its dialog, showing what ends it.
  void OpenMapFile(const std::string& file_name);
  void Generate3Dfile1Click() { GoOn(); }
  void Open3Dfile1Click();
  void Save3D1Click();
  void Documentation1Click();
  void Exit1Click();

 protected:
  // Keeps the control panel in the top right corner of the work area as it changes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  // The visible part of the work area, in the window's coordinates.
  QRect WorkArea() const;
  void PlaceAtRightEdge(QWidget* window);
  void OpenMap(const std::string& file_name);
  TfrmMap* MapWindow();
  TfrmRender* RenderWindow(const QString& caption);
  void OpenScene(const QString& file_name);
  void MapClicked(unsigned colour, const QPoint& screen_point);
  QString DescribeMapColour(unsigned colour) const;

  Program& program_;
};

}  // namespace orvandel::gui
